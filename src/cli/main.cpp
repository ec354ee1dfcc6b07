#include <cstdio>

int main() {
  std::fputs("usage: panscout-cli [--mode disk|torrent] [--source N|NAME] [--hosts FILE]\n"
             "                    [--max-pages N] [--timeout SECONDS] [--format tsv|json] KEYWORD\n",
             stderr);
  return 2;
}
