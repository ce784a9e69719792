// --plot as tessaroven-convert runs it in builds with Qt: the drawing code is a module of its own, loaded
// when a picture is asked for, so that a conversion without --plot never loads Qt. The module lies in the
// library folder of the install tree or, in the build tree, beside the program.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstring>
#include <string>

#include "cli/plot_module.h"
#include "cli/plot_option.h"
#include "messages/system_error_text.h"

namespace tessaroven {
namespace {

// The folder of the running program, with a slash at the end; empty when it cannot be found.
std::string ProgramFolder() {
    char program[PATH_MAX];
    const ssize_t size = readlink("/proc/self/exe", program, sizeof program);
    if (size <= 0 || static_cast<std::size_t>(size) == sizeof program) {
        return "";
    }
    const std::string path(program, static_cast<std::size_t>(size));
    return path.substr(0, path.rfind('/') + 1);
}

// The module's entry point of the given name. Refused with the path and the loader's (or the system's) reason
// when no module can be loaded.
Expected<void*> ModuleEntry(const char* name) {
    const std::string folder = ProgramFolder();
    const std::string installed = folder + TESSAROVEN_PLOT_MODULE_FROM_PROGRAM + TESSAROVEN_PLOT_MODULE_FILE;
    const std::string beside = folder + TESSAROVEN_PLOT_MODULE_FILE;
    for (const std::string& candidate : {installed, beside}) {
        if (folder.empty() || access(candidate.c_str(), F_OK) != 0) {
            continue;
        }
        // The module stays loaded until the program ends.
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* entry = module != nullptr ? dlsym(module, name) : nullptr;
        if (entry == nullptr) {
            const char* reason = dlerror();
            return Refuse(Reason::PlotModuleNotLoaded, {candidate, reason != nullptr ? reason : ""});
        }
        return entry;
    }
    return Refuse(Reason::PlotModuleNotLoaded, {installed, SystemErrorText(ENOENT)});
}

// Runs the module's entry point of the given name on what it draws; the loader's refusal when there is none.
template <class Entry, class Subject>
MaybeRefusal RunModuleEntry(const char* name, const Subject& subject, const std::string& path) {
    const Expected<void*> entry = ModuleEntry(name);
    if (!entry) {
        return entry.error();
    }
    MaybeRefusal refusal;
    reinterpret_cast<Entry> (*entry)(MessageLanguage(), subject, path, refusal);
    return refusal;
}

}  // namespace

ConverterExtension PlotOption() {
    return {"--plot", "FILE", Reason::PlotOptionHelp,
            [](const ConverterRun& run, const std::string& path) {
                return RunModuleEntry<decltype(&tessaroven_write_plot_in_language)>(kPlotModuleEntryName,
                                                                                    run.record, path);
            },
            true};
}

ConverterExtension ReportOption() {
    return {"--report", "FILE", Reason::ReportOptionHelp,
            [](const ConverterRun& run, const std::string& path) {
                return RunModuleEntry<decltype(&tessaroven_write_report_in_language)>(kReportModuleEntryName,
                                                                                      run, path);
            },
            true};
}

}  // namespace tessaroven
