#pragma once
// The process-wide state of one run of the program, owned by whichever front
// end starts it and handed by reference to everything that needs it.

#include "net/cookie_store.h"
#include "results/result_list.h"
#include "search/hosts.h"
#include "search/search_state.h"
#include "search/sources.h"

namespace panscout {

struct Session {
  Session(Hosts h, SourceTable s) : hosts(std::move(h)), sources(std::move(s)) {}

  Hosts hosts;
  SourceTable sources;
  SearchState state;
  ResultList results;
  CookieStore cookies;
  Text realAddress;
};

}  // namespace panscout
