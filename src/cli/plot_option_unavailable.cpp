// --plot and --report in builds without Qt: the options are known, but refused with the reason.
#include "cli/plot_option.h"

namespace tessaroven {

ConverterExtension PlotOption() {
    return {"--plot", "FILE", Reason::PlotOptionUnavailableHelp,
            [](const ConverterRun&, const std::string&) -> MaybeRefusal {
                return Refuse(Reason::PlotUnavailable);
            }};
}

ConverterExtension ReportOption() {
    return {"--report", "FILE", Reason::ReportOptionUnavailableHelp,
            [](const ConverterRun&, const std::string&) -> MaybeRefusal {
                return Refuse(Reason::ReportUnavailable);
            }};
}

}  // namespace tessaroven
