#include "cli/analysis_run.h"
#include "cli/commands.h"
#include "docs/document_file.h"
#include "docs/placeholders.h"
#include "record/program_paths.h"

#include <iostream>
#include <memory>

namespace tw::cli {

namespace {

// Which list a document runs, told by its file name.
void Substitute(StyledDocument &doc, const std::string &name, const CClientRecord &record)
{
    for (int slide = 1; slide <= 13; ++slide)
        if (SlideFileName(slide) == name)
            return SubstituteSlidePlaceholders(doc, slide, record);
    for (int answer = 1; answer <= 10; ++answer)
        if (AnswerFileName(answer) == name)
            return SubstituteAnswerPlaceholders(doc, answer, record);
    if (name == kSignUpFileName)
        SubstituteSignUpPlaceholders(doc, record);
}

} // namespace

int RunDocumentCommand(const std::vector<std::string> &args)
{
    constexpr const char *kUsage
        = "Usage: tallowin-cli document NAME.qnl LOAN-OPTIONS [--first-name NAME] [--dir DIR] [--html]\n";
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    std::set<std::string> valued = kLoanOptions;
    valued.insert({"--first-name", "--dir"});
    const Options options(args, valued, {"--html"});
    if (!options.error().empty() || options.positional().size() != 1) {
        if (options.error().empty())
            std::cerr << kUsage;
        else
            std::cerr << options.error() << "\n";
        return kExitRefused;
    }
    const std::string name = options.positional()[0];
    auto record = std::make_unique<CClientRecord>();
    if (const std::string refused = RunAnalysis(options, *record); !refused.empty()) {
        std::cerr << refused << "\n";
        return kExitRefused;
    }
    if (const auto firstName = options.value("--first-name"))
        record->FirstName1 = *firstName;

    std::string directory = options.value("--dir").value_or(DataDirectory());
    if (!directory.empty() && directory.back() != '/')
        directory += '/';
    StyledDocument doc;
    LoadDocumentFile(doc, directory, name);
    if (doc.empty()) {
        std::cerr << "The document " << directory << name << " is missing or empty.\n";
        return kExitRefused;
    }
    Substitute(doc, name, *record);
    std::cout << (options.has("--html") ? ToHtml(doc, name) : PlainText(doc) + "\n");
    return 0;
}

} // namespace tw::cli
