#include "zemkari/quoted.h"

#include <gtest/gtest.h>

#include <string>

#include "zemkari/design/texts.h"

namespace zemkari {
namespace {

// The game's own texts are UTF-8: their bytes above 0x7f pass as they are, whatever
// the signedness of char; only quotes, backslashes and control bytes are escaped.
TEST(Quoted, EscapesQuotesBackslashesAndControlBytesAndNothingElse) {
    using namespace std::string_literals;
    std::string quotedNoOrder = "\"";  // appended, not concatenated: GCC 12 warns falsely at -O3
    quotedNoOrder.append(design::TextOf(design::TextId::NoOrder)).append("\"");
    EXPECT_EQ(Quoted(design::TextOf(design::TextId::NoOrder)), quotedNoOrder);
    std::string withControls = "a\"b\\c\x1f\x7f"s;
    withControls.append(1, '\0').append("~");
    EXPECT_EQ(Quoted(withControls), R"("a\"b\\c\x1f\x7f\x00~")");
    EXPECT_EQ(Quoted(""), R"("")");
}

}  // namespace
}  // namespace zemkari
