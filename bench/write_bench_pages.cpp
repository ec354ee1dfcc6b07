// panscout_bench_pages DIR: writes the page-step benchmark's pages and, for
// each, the rules its source reads them by and the rows Panscout lists from
// them, so another implementation can do the same work and check its rows.
//   DIR/page-N.bin  the page of case N as served
//   DIR/cases.json  [{case, label, step, page, utf8, snapshot, rule, rows}];
//                   GBK texts are given byte for byte as code points 0-255,
//                   rows in UTF-8

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cstdio>
#include <fstream>
#include <memory>

#include "bench_pages.h"
#include "search/sources.h"

namespace panscout {
namespace {

// JSON holds text, so GBK goes byte for byte as the code points 0-255.
QString ByteWise(const Text& gbk) { return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size())); }

QString RegionName(PageRegion region) {
  switch (region) {
    case PageRegion::kResultPart: return "resultPart";
    case PageRegion::kStripped: return "stripped";
    case PageRegion::kPage: break;
  }
  return "page";
}

QString StepName(StepKind step) {
  switch (step) {
    case StepKind::kEngine: return "engine";
    case StepKind::kTorrent: return "torrent";
    case StepKind::kSite: break;
  }
  return "site";
}

QJsonArray RemovalsJson(const std::vector<Removal>& removals) {
  QJsonArray json;
  for (const Removal& r : removals) json.append(QJsonArray{ByteWise(r.piece), r.exactCase});
  return json;
}

QJsonObject FieldJson(const FieldRule& field) {
  return {{"pattern", ByteWise(field.pattern)}, {"region", RegionName(field.region)},
          {"removals", RemovalsJson(field.removals)}, {"prefix", ByteWise(field.prefix)},
          {"missing", field.missing ? QJsonValue(ByteWise(*field.missing)) : QJsonValue()}};
}

// Everything the Python side needs of the source's definition.
QJsonObject RuleJson(const SourceRule& rule) {
  return {{"pageRemovals", RemovalsJson(rule.pageRemovals)}, {"strip", RemovalsJson(rule.strip)},
          {"split", rule.split ? QJsonValue(ByteWise(*rule.split)) : QJsonValue()},
          {"noResult", ByteWise(rule.noResultPattern)},     {"noResultCapture", ByteWise(rule.noResultCapture)},
          {"total", ByteWise(rule.totalPattern)},          {"totalRemovals", RemovalsJson(rule.totalRemovals)},
          {"title", FieldJson(rule.title)},                {"link", FieldJson(rule.link)},
          {"size", FieldJson(rule.size)}};
}

QJsonArray ListedRows(int benchCase, const std::string& page) {
  auto h = std::make_unique<testing::SearchHarness>();
  bench::LoadCase(*h, benchCase, page);
  h->Press();
  QJsonArray rows;
  for (int row = 0; row < h->results.RowCount(); ++row) {
    QJsonArray cells;
    for (int column = 0; column < h->results.ColumnCount(); ++column) {
      cells.append(QString::fromStdString(h->Cell(row, column)));
    }
    rows.append(cells);
  }
  return rows;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out.flush());
}

}  // namespace
}  // namespace panscout

int main(int argc, char** argv) {
  using namespace panscout;
  QCoreApplication app(argc, argv);  // the script component needs one
  if (argc != 2) {
    std::fprintf(stderr, "usage: panscout_bench_pages DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  const Hosts hosts = Hosts::Defaults();  // the harness's hosts
  const SourceTable sources = testing::BuiltInSources(hosts);
  QJsonArray cases;
  for (int c = bench::kFirstCase; c <= bench::kLastCase; ++c) {
    const std::string page = bench::BenchPage(c);
    const std::string name = "page-" + std::to_string(c) + ".bin";
    if (!WriteFile(dir + "/" + name, page)) {
      std::fprintf(stderr, "panscout_bench_pages: cannot write %s/%s\n", dir.c_str(), name.c_str());
      return 1;
    }
    const SourceRule& rule = c == 0 ? *sources.Torrent() : *sources.Find(c);
    cases.append(QJsonObject{{"case", c},
                             {"label", QString::fromStdString(bench::CaseLabel(c))},
                             {"step", StepName(rule.step)},
                             {"page", QString::fromStdString(name)},
                             {"utf8", rule.utf8 || rule.readThroughViewer},
                             {"rule", RuleJson(rule)},
                             {"rows", ListedRows(c, page)}});
  }
  if (!WriteFile(dir + "/cases.json", QJsonDocument(cases).toJson().toStdString())) {
    std::fprintf(stderr, "panscout_bench_pages: cannot write %s/cases.json\n", dir.c_str());
    return 1;
  }
  return 0;
}
