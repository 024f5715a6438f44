// Every input is a replay script of arbitrary bytes, played by the replay tool's own
// reader and replayer. A script either plays to its end (exit 0, nothing on standard
// error) or stops at its first bad line (exit 2, one message naming that line); every
// line written is one JSON object. The sanitizers catch the rest.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>

#include "zemkari/replay/replayer.h"

namespace {

// `tick 2147483647` is a valid script of two billion steps: the transcript is cut off
// after a budget, as a full disk would, and the tool must then say it cannot write.
class BoundedBuffer : public std::streambuf {
public:
    static constexpr std::size_t kBudget = 1 << 20;
    const std::string& Text() const { return text_; }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (text_.size() >= kBudget) return traits_type::eof();
        text_ += traits_type::to_char_type(c);
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const auto written = std::min(static_cast<std::size_t>(n), kBudget - text_.size());
        text_.append(s, written);
        return static_cast<std::streamsize>(written);
    }

private:
    std::string text_;
};

[[noreturn]] void Broken(const char* what, const std::string& detail) {
    std::fprintf(stderr, "zemkari-replay invariant broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

std::size_t CountLines(std::string_view script) {
    if (script.empty()) return 0;
    return static_cast<std::size_t>(std::count(script.begin(), script.end(), '\n')) + (script.back() != '\n');
}

// Complete lines each hold one JSON object; a line cut off by the budget may not.
void CheckTranscript(const std::string& transcript, bool cutOff) {
    std::string_view rest = transcript;
    for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
        const std::string_view line = rest.substr(0, end);
        const auto json = nlohmann::json::parse(line, nullptr, false);
        if (json.is_discarded() || !json.is_object()) Broken("a transcript line is not a JSON object", transcript);
        rest.remove_prefix(end + 1);
    }
    if (!rest.empty() && !cutOff) Broken("the transcript ends inside a line", transcript);
}

// "zemkari-replay: line N: reason: "line"\n", N a line of the script, one line in all.
void CheckErrorMessage(const std::string& message, std::string_view script) {
    constexpr std::string_view kPrefix = "zemkari-replay: line ";
    if (!message.starts_with(kPrefix) || !message.ends_with("\"\n")) Broken("malformed error message", message);
    const bool controlCharacter = std::any_of(
        message.begin(), message.end() - 1, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; });
    if (controlCharacter) Broken("the error message holds a control character", message);
    const std::size_t digits = message.find(':', kPrefix.size());
    const std::string number = message.substr(kPrefix.size(), digits - kPrefix.size());
    const std::size_t line = number.empty() || number.size() > 18 ? 0 : std::stoull(number);
    if (line < 1 || line > CountLines(script)) Broken("the error message names no line of the script", message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    std::istringstream in(script);
    BoundedBuffer transcript;
    std::ostream out(&transcript);
    std::ostringstream err;

    const int status = zemkari::replay::RunScript(in, out, err);
    const bool cutOff = !out;
    CheckTranscript(transcript.Text(), cutOff);
    switch (status) {
        case zemkari::replay::kExitOk:
            if (cutOff || !err.str().empty()) Broken("exit 0 after a failure", err.str());
            break;
        case zemkari::replay::kExitBadScript:
            if (cutOff) Broken("a bad line reported for a transcript that could not be written", err.str());
            CheckErrorMessage(err.str(), script);
            break;
        case zemkari::replay::kExitIoFailed:
            if (!cutOff || err.str() != "zemkari-replay: cannot write the transcript\n") {
                Broken("exit 1 without a write failure", err.str());
            }
            break;
        default:
            Broken("unknown exit status", std::to_string(status));
    }
    return 0;
}
