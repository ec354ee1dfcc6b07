#include "app/gui/window_options.h"

#include <QCommandLineParser>

namespace panscout {

std::optional<std::string> ReadWindowOptions(const QStringList& arguments, WindowOptions& options) {
  QCommandLineParser parser;
  QCommandLineOption hostsFile("hosts", "Where the outside services live.", "FILE");
  QCommandLineOption sourcesDir("sources", "More source definitions.", "DIR");
  parser.addOption(hostsFile);
  parser.addOption(sourcesDir);
  if (!parser.parse(arguments)) return parser.errorText().toStdString();
  if (!parser.positionalArguments().isEmpty()) {
    return "unexpected argument: " + parser.positionalArguments().first().toStdString();
  }
  if (parser.isSet(sourcesDir)) options.sourceDirs.emplace_back(parser.value(sourcesDir).toStdString());
  if (!parser.isSet(hostsFile)) return std::nullopt;
  return LoadHostsFile(parser.value(hostsFile).toStdString(), options.hosts);
}

}  // namespace panscout
