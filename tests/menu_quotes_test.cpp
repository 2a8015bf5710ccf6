// The compiler companion's hints lead a user through the main program's
// menus ("在主菜单选“3. 设置”，再选“4. 修改编译选项”"): each entry a hint
// quotes must be on the page that the entries quoted before it lead to, as
// the real pages draw it, or the user would look for an entry that is not there.
#include <gtest/gtest.h>

#include <regex>

#include "cc/catalogue.h"
#include "fake_platform.h"
#include "pages.h"
#include "settings/settings.h"

int Runner_Main();

namespace {
// The pages shown when `numbers` are typed one by one from the main menu:
// the main menu first, then the page that each number leads to.
std::vector<std::string> Pages_Reached(const std::vector<std::string>& numbers) {
  Reset_Fake();
  FAKE.files[SETTINGS] = Saved_Settings("", "", "", "", false);  // no first-use question
  FAKE.input.assign(numbers.begin(), numbers.end());
  try {
    Runner_Main();
  } catch (const Fake_Quit&) {
  }
  std::vector<std::string> pages;
  for (size_t at = FAKE.screen.find("[cls]"); at != std::string::npos;) {
    size_t next = FAKE.screen.find("[cls]", at + 5);
    pages.push_back(FAKE.screen.substr(at + 5, next - at - 5));
    at = next;
  }
  return pages;
}
}  // namespace

TEST(Menu_Quotes, EveryEntryAHintQuotesIsOnThePageItsWayLeadsTo) {
  std::regex entry("“(([0-9]+)\\. .*?)”");  // lazily: a quote mark's bytes occur inside others
  int walked = 0;
  for (size_t i = 0; i < Situation_Count(); ++i) {
    for (const char* text : {Situation_At(i).means, Situation_At(i).todo}) {
      std::string hint = text;
      std::vector<std::string> quotes, numbers;
      for (std::sregex_iterator it(hint.begin(), hint.end(), entry), end; it != end; ++it) {
        quotes.push_back((*it)[1]);
        numbers.push_back((*it)[2]);
      }
      if (quotes.empty()) continue;
      walked++;
      ASSERT_LT(hint.find("主菜单"), hint.find("“" + quotes[0]))
          << "where does the way start? " << hint;
      std::vector<std::string> pages = Pages_Reached(numbers);
      ASSERT_GT(pages.size(), quotes.size()) << hint;
      for (size_t k = 0; k < quotes.size(); ++k)
        EXPECT_NE(("\n" + pages[k]).find("\n" + quotes[k] + "\n"), std::string::npos)
            << "“" << quotes[k] << "” is not on the page reached:\n"
            << pages[k] << "\nin the hint: " << hint;
    }
  }
  EXPECT_GE(walked, 2) << "the hints that lead through the menus";
}
