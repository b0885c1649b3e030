// A shared link's query, as a page's address may hold anything: it is taken
// whole or refused with a notice that leaves the page as it was, and a taken
// link's run goes on to its end.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "web/web_form.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string query(reinterpret_cast<const char*>(data), size);
  switchsim::WebForm form(std::nullopt, [] { return std::uint64_t{1}; });
  const std::string before = form.State();
  const std::string notice = form.ApplyQuery(query, 0.0);
  if (!notice.empty()) {
    if (form.State() != before) {
      std::fprintf(stderr, "a refused query changed the page: %s\n", notice.c_str());
      std::abort();
    }
    if (notice.find('\n') != std::string::npos) {
      std::fprintf(stderr, "a notice of more than one line: %s\n", notice.c_str());
      std::abort();
    }
    return 0;
  }
  for (double now = 0.0; form.RunDueTicks(now) > 0 || now == 0.0; now += 1000.0) {
    form.TakeDrawSteps();
  }
  return 0;
}
