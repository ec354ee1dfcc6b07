// Builds the demo's page library into the test executable, so that tests can
// include "../tools/demo/*.h" and compute what the demo serves. The server
// code stays out: it needs the HTTP library, which only the demo links.
#include "../../tools/demo/announcement.cpp"
#include "../../tools/demo/banner_png.cpp"
#include "../../tools/demo/demo_codepage.cpp"
#include "../../tools/demo/demo_hosts.cpp"
#include "../../tools/demo/result_pages.cpp"
#include "../../tools/demo/site_pages.cpp"
