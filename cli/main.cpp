// quirvane-encode: the encoder without the window, for scripts, batches and
// print. One text, or one symbol per line of a batch.
#include <QCoreApplication>

#include <clocale>
#include <csignal>
#include <new>
#include <string>
#include <unistd.h>

#include <quirvane/encoder.h>
#include <quirvane/version.h>

#include "cli/batch.h"
#include "cli/exit_status.h"
#include "cli/help_text.h"
#include "cli/option_parser.h"
#include "cli/single_run.h"
#include "cli/symbol_output.h"
#include "cli/tool_messages.h"
#include "cli/tool_text.h"

namespace quirvane {
namespace {

int Run(int argc, char** argv) {
    ParseResult parsed = ParseEncodeOptions(argc, argv);
    if (!parsed.ok) {
        return Fail(parsed.error);
    }
    EncodeOptions& options = parsed.options;
    if (options.showHelp || options.showVersion) {
        const std::string text =
            options.showHelp ? HelpText()
                             : "quirvane-encode (Quirvane) " + std::string(kVersionText) + "\n";
        const std::string error = WriteOutput(options.showHelp ? "--help" : "--version", "-", text);
        return error.empty() ? kExitMade : Fail(error);
    }
    if (const std::string problem = Reconcile(options, ::isatty(STDIN_FILENO) == 1);
        !problem.empty()) {
        return Fail(problem);
    }
    return options.batchPath.empty() ? RunSingle(options) : RunBatch(options);
}

}  // namespace
}  // namespace quirvane

int main(int argc, char** argv) {
    using namespace quirvane;
    // A file-size limit then fails the write with EFBIG, and a closed pipe
    // with EPIPE: both reported, exit 2, instead of a silent death.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    const QCoreApplication application(argc, argv);
    // Qt takes the user's locale for everything; numbers in SVG, EPS and PDF
    // must keep their decimal point.
    std::setlocale(LC_NUMERIC, "C");
    LoadTranslation();
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        return Fail(translate("quirvane-encode", "out of memory"));
    }
}
