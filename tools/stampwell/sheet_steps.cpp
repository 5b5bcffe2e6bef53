#include "tools/stampwell/sheet_steps.h"

#include "tools/stampwell/step_captions.h"

namespace stampwell {
namespace {

// Reads the groups in order, keeping the interface the codes so far chose: a key string's form
// depends on it.
class StepReader {
  public:
    std::vector<StepGroup> read(const Sheet& sheet) {
        std::vector<StepGroup> groups;
        for (const CodeGroup& group : sheet.groups) {
            groups.push_back({group.heading, group.sub_heading, {}});
            for (const SetupCode& code : group.codes) {
                add(code, groups.back().steps);
            }
            close(groups.back().steps);
        }
        return groups;
    }

  private:
    void add(const SetupCode& code, std::vector<Step>& steps) {
        const std::optional<int> number = four_digit_code(code);
        const bool closes = number == kValidateCode;
        const bool joins = open_ && number && (is_value_code(*number) || closes);
        if (!joins) {
            close(steps);
            steps.push_back({next_number_++, {}, {}});
            open_ = true;
        }
        steps.back().codes.push_back(code);
        if (closes) {
            close(steps);
        }
    }

    // The caption is read before the step's own codes change the interface: the codes that
    // choose one are steps of their own (or a keyboard type, whose value is a number).
    void close(std::vector<Step>& steps) {
        if (!open_) {
            return;
        }
        open_ = false;
        Step& step = steps.back();
        step.caption = step_caption(step.codes, interface_);
        interface_ = interface_after(step.codes.front(), interface_);
    }

    tessmar::InterfaceClass interface_ = factory_interface();
    int next_number_ = 1;
    bool open_ = false;
};

}  // namespace

std::vector<StepGroup> sheet_steps(const Sheet& sheet) {
    return StepReader().read(sheet);
}

std::string code_label(const Step& step, std::size_t index) {
    std::string label = std::to_string(step.number);
    if (step.codes.size() == 1) {
        return label;
    }
    // Letters counted as a spreadsheet counts its columns: a to z, then aa, ab...
    std::string letters;
    for (std::size_t n = index + 1; n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('a' + (n - 1) % 26));
    }
    return label + letters;
}

}  // namespace stampwell
