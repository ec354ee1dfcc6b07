#include "app/gui/window_options.h"

#include <QCommandLineParser>

namespace panscout {

std::optional<std::string> ReadWindowOptions(const QStringList& arguments, WindowOptions& options) {
  QCommandLineParser parser;
  QCommandLineOption hostsFile("hosts", "Where the outside services live.", "FILE");
  QCommandLineOption sourcesDir("sources", "More source definitions.", "DIR");
  QCommandLineOption proxy("proxy", "The proxy for every request, or none.", "URL");
  QCommandLineOption caFile("cacert", "Certificates trusted besides the system's.", "FILE");
  parser.addOptions({hostsFile, sourcesDir, proxy, caFile});
  if (!parser.parse(arguments)) return parser.errorText().toStdString();
  if (!parser.positionalArguments().isEmpty()) {
    return "unexpected argument: " + parser.positionalArguments().first().toStdString();
  }
  options.proxy = parser.value(proxy).toStdString();
  NetworkSetup network = MakeNetworkSettings(options.proxy, parser.value(caFile).toStdString());
  if (!network.settings) return network.error;
  options.network = std::move(*network.settings);
  if (parser.isSet(sourcesDir)) options.sourceDirs.emplace_back(parser.value(sourcesDir).toStdString());
  if (!parser.isSet(hostsFile)) return std::nullopt;
  return LoadHostsFile(parser.value(hostsFile).toStdString(), options.hosts);
}

}  // namespace panscout
