#include "zemkari/quoted.h"

#include <gtest/gtest.h>

#include <string>

#include "zemkari/texts.h"

namespace zemkari {
namespace {

// The game's own texts are UTF-8: their bytes above 0x7f pass as they are, whatever
// the signedness of char; only quotes, backslashes and control bytes are escaped.
TEST(Quoted, EscapesQuotesBackslashesAndControlBytesAndNothingElse) {
    using namespace std::string_literals;
    EXPECT_EQ(Quoted(texts::kNoOrder), "\"" + std::string(texts::kNoOrder) + "\"");
    EXPECT_EQ(Quoted("a\"b\\c\x1f\x7f"s + '\0' + "~"), R"("a\"b\\c\x1f\x7f\x00~")");
    EXPECT_EQ(Quoted(""), R"("")");
}

}  // namespace
}  // namespace zemkari
