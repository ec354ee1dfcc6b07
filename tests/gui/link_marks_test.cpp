// Link checks from the list's menu: the rows asked for are marked busy, then
// by their verdicts, and a new search drops what is still pending.

#include <QAction>
#include <QFont>
#include <QTreeView>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "gui/start_window_fixture.h"
#include "support/local_http_server.h"

namespace panscout {
namespace {

class LinkMarksTest : public StartWindowTest {
 protected:
  void SetUp() override {
    StartWindowTest::SetUp();
    state.searchMode = kNetDiskMode;
    state.sourceNumber = 3;  // its hit pages are UTF-8 and offer "下载此文件"
    for (auto [path, body] : {std::pair{"/ok", "下载此文件"}, {"/dead", "文件已被删除"}, {"/locked", "请输入提取码"}}) {
      server_.server().Get(path, [body](const httplib::Request&, httplib::Response& res) {
        res.set_content(body, "text/html; charset=utf-8");
      });
    }
    server_.server().Get("/slow", [this](const httplib::Request&, httplib::Response& res) {
      ++slowAsked_;
      std::this_thread::sleep_for(std::chrono::milliseconds(1500));
      res.set_content("下载此文件", "text/html; charset=utf-8");
    });
    server_.Start();
    for (const char* path : {"/ok", "/dead", "/locked", "/slow"}) {
      AddRow({path + 1, "1MB", (server_.Url(path)).c_str()});
    }
  }

  void Trigger(const char* caption) {
    for (QAction* action : window->findChildren<QAction*>()) {
      if (action->text() == U(caption)) return action->trigger();
    }
    ADD_FAILURE() << caption;
  }
  QVariant Data(int row, int column, int role) {
    QAbstractItemModel* model = Find<QTreeView>("超级列表框1")->model();
    return model->data(model->index(row, column), role);
  }
  QString Tip(int row) { return Data(row, 0, Qt::ToolTipRole).toString(); }
  bool Marked(int row) { return !Data(row, 0, Qt::DecorationRole).value<QIcon>().isNull(); }

  std::atomic<int> slowAsked_{0};
  testing::LocalHttpServer server_;
};

TEST_F(LinkMarksTest, RowsShowTheirVerdictsAndANewSearchDropsThePending) {
  Find<QTreeView>("超级列表框1")->selectionModel()->select(
      Find<QTreeView>("超级列表框1")->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  Trigger("检查链接");
  QTRY_COMPARE_WITH_TIMEOUT(Tip(1), U("dead\n链接已失效：page matches 已被删除"), 5000);
  EXPECT_EQ(Tip(0), U("ok"));

  Trigger("检查全部链接");
  EXPECT_TRUE(Marked(3));
  EXPECT_EQ(Tip(3), U("slow\n正在检查链接…"));
  QTRY_COMPARE_WITH_TIMEOUT(Tip(2), U("locked\n链接有效，需要提取码：page matches 请输入提取码"), 5000);
  EXPECT_TRUE(Marked(2));
  EXPECT_EQ(Tip(0), U("ok\n链接有效：page matches 下载此文件"));
  EXPECT_FALSE(Marked(0));
  for (int column = 0; column < 3; ++column) {
    EXPECT_EQ(Data(1, column, Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray)) << column;
    EXPECT_FALSE(Data(0, column, Qt::ForegroundRole).isValid()) << column;
    EXPECT_EQ(Data(1, column, Qt::FontRole).value<QFont>().strikeOut(), column == 0) << column;
  }
  EXPECT_TRUE(Marked(3));

  QTRY_COMPARE_WITH_TIMEOUT(Tip(3), U("slow\n链接有效：page matches 下载此文件"), 5000);

  // Two of these run at once, the others wait their turn: a new search stops the first and drops the rest.
  results.ClearRows();
  for (const char* query : {"?1", "?2", "?3", "?4"}) AddRow({query, "1MB", server_.Url(std::string("/slow") + query).c_str()});
  Trigger("检查全部链接");
  QTest::qWait(200);
  results.ClearRows();
  AddRow({"slow", "1MB", server_.Url("/slow?1").c_str()});
  QTest::qWait(2500);
  EXPECT_EQ(slowAsked_.load(), 1 + 2);
  EXPECT_EQ(Tip(0), U("slow"));
  EXPECT_FALSE(Marked(0));
}

}  // namespace
}  // namespace panscout
