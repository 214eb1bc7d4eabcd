#include "network/faults.h"
#include "network/texts.h"

// What an edit of one cell did to another: the words that name the edited cell before the fault
// it made elsewhere, so that the user sees the cause, not only its consequence.
namespace network {

std::string editFault(const TextReading& reading, const NetworkTexts& texts, CellPlace edited) {
    if (!reading.place || !reading.tie || *reading.place == edited ||
        reading.place->row >= texts.segments.size())
        return {};
    const FaultTie& tie = *reading.tie;
    // Only what the edit can have made: a name or a feeder repeated is the edited segment's,
    // a node cut off from the source an edit of where a segment goes from or to.
    const bool made = tie.kind == Tie::Unreached ? edited.column == From || edited.column == To
                                                 : tie.other == edited.row;
    if (!made)
        return {};
    const SegmentTexts& at = texts.segments[reading.place->row];
    const std::string fault = segmentNumber(reading.place->row);
    std::string consequence;
    switch (tie.kind) {
    case Tie::Unreached:
        consequence = fault + "的起点“" + trimmed(at[From]) + "”不再连通热源";
        break;
    case Tie::SameName:
        consequence =
            fault + "的名称“" + trimmed(at[Name]) + "”与" + segmentNumber(*tie.other) + "重复";
        break;
    case Tie::SecondFeeder:
        consequence = fault + "的终点“" + trimmed(at[To]) + "”也由" + segmentNumber(*tie.other) +
                      "供汽：一个节点只能由一个管段供汽";
        break;
    }
    const std::string cell = edited.row < texts.segments.size()
                                 ? trimmed(texts.segments[edited.row][edited.column])
                                 : std::string();
    std::string edit =
        segmentNumber(edited.row) + "的" + std::string(kGridColumns[edited.column].heading);
    edit += cell.empty() ? "清空后，" : "改为“" + cell + "”后，";
    return edit + consequence;
}

} // namespace network
