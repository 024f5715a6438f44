#include "zemkari/replay/replayer.h"

#include <array>
#include <istream>
#include <ostream>
#include <string>

namespace zemkari::replay {
namespace {

using nlohmann::ordered_json;

// Only these labels ever change colour during a game.
constexpr std::array kColouredLabels = {LabelId::OrderStatus, LabelId::Comment, LabelId::ProfitIndicator};

ordered_json Labels(const HeadlessBoard& board) {
    ordered_json labels = ordered_json::object();
    for (const auto& label : design::kLabelControls) labels[std::string(label.name)] = board.Text(label.id);
    return labels;
}

ordered_json Colours(const HeadlessBoard& board) {
    ordered_json colours = ordered_json::object();
    for (LabelId label : kColouredLabels) {
        colours[std::string(design::NameOf(label))] = ColourName(board.ColourOf(label));
    }
    return colours;
}

ordered_json Buttons(const HeadlessBoard& board) {
    ordered_json buttons = ordered_json::object();
    for (const auto& button : design::kButtonControls) buttons[std::string(button.name)] = board.IsEnabled(button.id);
    return buttons;
}

ordered_json Account(const MarketState& state) {
    return {
        {"BaseCapital", state.BaseCapital}, {"ScenarioIndex", state.ScenarioIndex},
        {"OrderQty", state.OrderQty},       {"RealizedProfit", state.RealizedProfit},
        {"EntryPrice", state.EntryPrice},   {"UnitProfit", state.UnitProfit},
        {"TickCount", state.TickCount},
    };
}

}  // namespace

ordered_json Snapshot(std::int64_t step, std::string_view cmd, const MarketState& state, const HeadlessBoard& board,
                      const Delivery& result) {
    ordered_json line = ordered_json::object();
    line["step"] = step;
    line["cmd"] = cmd;
    line["labels"] = Labels(board);
    line["colours"] = Colours(board);
    line["buttons"] = Buttons(board);
    line["timer"] = {{"on", board.TimerOn()}, {"interval", board.TimerInterval()}};
    line["chart_enabled"] = board.ChartEnabled();
    line["state"] = Account(state);
    if (result.ignored) line["ignored"] = true;
    if (result.failure) line["error"] = result.failure->message;
    return line;
}

void Replayer::WriteOpening() { WriteStep("", {}); }

void Replayer::Play(const Command& command) {
    // Each tick of `tick N` is a step of its own, named "tick".
    const std::string_view cmd =
        command.event.kind == PlayerEvent::Kind::Tick ? std::string_view("tick") : std::string_view(command.text);
    for (int i = 0; i < command.times && out_; ++i) WriteStep(cmd, game_.Deliver(command.event));
}

void Replayer::WriteStep(std::string_view cmd, const Delivery& result) {
    out_ << Snapshot(step_++, cmd, game_.State(), game_.Board(), result).dump() << '\n' << std::flush;
}

int RunScript(std::istream& in, std::ostream& out, std::ostream& err) {
    Replayer replayer(out);
    replayer.WriteOpening();
    std::string line;
    for (std::int64_t number = 1; out && std::getline(in, line); ++number) {
        ParsedLine parsed = ParseLine(line);
        if (const auto* error = std::get_if<ScriptError>(&parsed)) {
            err << DescribeError(number, line, *error) << '\n';
            return kExitBadScript;
        }
        if (const auto* command = std::get_if<Command>(&parsed)) replayer.Play(*command);
    }
    if (!out) {
        err << "zemkari-replay: cannot write the transcript\n";
        return kExitIoFailed;
    }
    if (in.bad()) {
        err << "zemkari-replay: cannot read the script\n";
        return kExitIoFailed;
    }
    return kExitOk;
}

}  // namespace zemkari::replay
