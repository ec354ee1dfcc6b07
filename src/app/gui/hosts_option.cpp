#include "app/gui/hosts_option.h"

#include <QCommandLineParser>

namespace panscout {

std::optional<std::string> ApplyHostsOption(const QStringList& arguments, Hosts& hosts) {
  QCommandLineParser parser;
  QCommandLineOption hostsFile("hosts", "Where the outside services live.", "FILE");
  parser.addOption(hostsFile);
  if (!parser.parse(arguments)) return parser.errorText().toStdString();
  if (!parser.positionalArguments().isEmpty()) {
    return "unexpected argument: " + parser.positionalArguments().first().toStdString();
  }
  if (!parser.isSet(hostsFile)) return std::nullopt;
  return LoadHostsFile(parser.value(hostsFile).toStdString(), hosts);
}

}  // namespace panscout
