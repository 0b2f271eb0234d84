#include "record/grid_scenarios.h"

#include "engine/grid_text.h"
#include "engine/grid_tools.h"
#include "format/number_text.h"
#include "record/profile_store.h"

#include <cmath>
#include <memory>

namespace tw {

namespace {

constexpr const char *kKeys[] = {"Extra", "Rate", "Adjust"};
constexpr int kFields[] = {kGridExtra, kGridRate, kGridAdjustment};

std::string SectionOf(int slot)
{
    return "GridScenario" + std::to_string(slot);
}

std::string Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return std::string(text);
}

std::string ValueText(int field, double value)
{
    return field == kGridRate ? GridRateStoredText(value) : PlainAmountText(value);
}

std::string EncodeMonths(const GridTable &t, int field)
{
    std::string out;
    for (int n = 1; n <= kGridRows;) {
        const double v = GridValue(t.Month(n), field);
        if (!(v > 0) || !std::isfinite(v)) {
            ++n;
            continue;
        }
        const std::string text = ValueText(field, v);
        int last = n;
        while (last < kGridRows && ValueText(field, GridValue(t.Month(last + 1), field)) == text)
            ++last;
        if (!out.empty())
            out += ' ';
        out += std::to_string(n) + (last > n ? "-" + std::to_string(last) : std::string()) + ":" + text;
        n = last + 1;
    }
    return out;
}

// Runs that do not read as months of the table with a number are skipped: a hand-edited
// file never moves a value to another month.
void DecodeMonths(const std::string &text, int field, GridTable &t)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string run = text.substr(at, end - at);
        at = end + 1;
        const std::size_t colon = run.find(':');
        if (colon == std::string::npos)
            continue;
        const std::string months = run.substr(0, colon);
        const std::size_t dash = months.find('-');
        const int from = TextToInt(months.substr(0, dash));
        const int to = dash == std::string::npos ? from : TextToInt(months.substr(dash + 1));
        const std::string clean = CleanNumberText(run.substr(colon + 1));
        const double value = clean.empty() ? 0 : TextToDouble(clean);
        if (from < 1 || to < from || to > kGridRows || !(value > 0) || !std::isfinite(value))
            continue;
        for (int n = from; n <= to; ++n)
            SetGridValue(t.Month(n), field, value);
    }
}

// The slot holding `name`, else the first free one (0 when every slot is taken).
int SlotFor(const CProfileEdit &edit, std::string_view name, bool *exists)
{
    int free = 0;
    const std::string folded = FoldCase(name);
    for (int slot = 1; slot <= kMaxGridScenarios; ++slot) {
        const std::string stored = edit.Read(SectionOf(slot), "Name");
        if (!stored.empty() && FoldCase(Trimmed(stored)) == folded) {
            *exists = true;
            return slot;
        }
        if (stored.empty() && free == 0)
            free = slot;
    }
    *exists = false;
    return free;
}

} // namespace

std::vector<GridScenario> LoadGridScenarios(const CProfileSnapshot &profile)
{
    std::vector<GridScenario> scenarios;
    for (int slot = 1; slot <= kMaxGridScenarios; ++slot) {
        const std::string section = SectionOf(slot);
        std::string name = Trimmed(profile.Read(section, "Name"));
        if (name.empty())
            continue;
        GridScenario s;
        s.name = std::move(name);
        for (int k = 0; k < 3; ++k)
            DecodeMonths(profile.Read(section, kKeys[k]), kFields[k], s.inputs);
        scenarios.push_back(std::move(s));
    }
    return scenarios;
}

std::string CheckScenarioName(std::string_view name)
{
    const std::string trimmed = Trimmed(name);
    if (trimmed.empty())
        return "Give the scenario a name.";
    int characters = 0;
    for (unsigned char c : trimmed) {
        if (c < 0x20 || c == 0x7f)
            return "A scenario's name cannot hold a line break or other control character.";
        characters += (c & 0xC0) != 0x80;
    }
    if (characters > kMaxScenarioNameLength)
        return "A scenario's name can be at most " + std::to_string(kMaxScenarioNameLength) + " characters long.";
    return {};
}

const GridScenario *FindScenario(const std::vector<GridScenario> &scenarios, std::string_view name)
{
    const std::string folded = FoldCase(Trimmed(name));
    for (const GridScenario &s : scenarios)
        if (FoldCase(s.name) == folded)
            return &s;
    return nullptr;
}

SaveStatus SaveGridScenario(CProfileStore &profile, std::string_view name, const GridTable &t)
{
    if (std::string problem = CheckScenarioName(name); !problem.empty())
        return {false, problem};
    CProfileEdit edit = profile.Edit();
    bool exists = false;
    const int slot = SlotFor(edit, Trimmed(name), &exists);
    if (slot == 0)
        return {false,
            "At most " + std::to_string(kMaxGridScenarios) + " scenarios can be kept; delete one to save another."};
    const std::string section = SectionOf(slot);
    edit.Write(section, "Name", Trimmed(name));
    for (int k = 0; k < 3; ++k)
        edit.Write(section, kKeys[k], EncodeMonths(t, kFields[k]));
    return edit.Commit();
}

SaveStatus DeleteGridScenario(CProfileStore &profile, std::string_view name)
{
    CProfileEdit edit = profile.Edit();
    bool exists = false;
    const int slot = SlotFor(edit, Trimmed(name), &exists);
    if (!exists)
        return {false, "There is no scenario named \"" + Trimmed(name) + "\"."};
    const std::string section = SectionOf(slot);
    edit.Write(section, "Name", "");
    for (const char *key : kKeys)
        edit.Write(section, key, "");
    return edit.Commit();
}

} // namespace tw
