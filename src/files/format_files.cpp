// Reading and saving each format's file through storage.
#include "files/format_files.h"

#include "messages/echoed_text.h"

namespace tessaroven {

Expected<Measurement> ReadMeasurementFile(const std::string& path) {
    const auto unreadable = [&](Reason reason, const std::string& why) {
        return Refusal{reason,
                       Message(Reason::MeasurementFileUnreadable, {EchoedText(path, kWholeText), why})};
    };
    const FileBytes file = ReadWholeFile(path, kMaxMeasurementFileBytes);
    if (!file.error.empty()) {
        return unreadable(Reason::MeasurementFileUnreadable, file.error);
    }
    if (file.tooLarge) {
        return unreadable(
            Reason::MeasurementFileTooLarge,
            Message(Reason::MeasurementFileTooLarge, {std::to_string(kMaxMeasurementFileBytes)}));
    }
    Expected<Measurement> measurement = ParseMeasurementFile(file.bytes);
    if (!measurement) {
        return unreadable(measurement.error().reason, measurement.error().message);
    }
    return measurement;
}

MaybeRefusal SaveMeasurementFile(const std::string& path, const Measurement& measurement,
                                 const FileSystemOps& ops) {
    const Expected<std::string> text = MeasurementFileBytes(measurement);
    if (!text) {
        return text.error();
    }
    return WriteFileSafely(path, *text, ops);
}

Expected<ParsedSpectrum> ReadSpectrumFile(const std::string& path) {
    const auto unreadable = [&](const std::string& why) {
        return Refuse(Reason::SpectrumFileUnreadable, {EchoedText(path, kWholeText), why});
    };
    const FileBytes file = ReadWholeFile(path, kMaxSpectrumFileBytes);
    if (!file.error.empty()) {
        return unreadable(file.error);
    }
    if (file.tooLarge) {
        return unreadable(Message(Reason::SpectrumFileTooLarge, {std::to_string(kMaxSpectrumFileBytes)}));
    }
    Expected<ParsedSpectrum> parsed = ParseSpectrumFile(file.bytes);
    if (!parsed) {
        return unreadable(parsed.error().message);
    }
    return parsed;
}

MaybeRefusal SaveCsvFile(const std::string& path, std::string_view commentUtf8, MeasurementRecord& record,
                         const FileSystemOps& ops) {
    auto file = BuildCsvFile(commentUtf8, record);
    if (!file) {
        return file.error();
    }
    if (auto refusal = WriteFileSafely(path, file->bytes, ops)) {
        return refusal;
    }
    for (std::size_t i = 0; i < file->dataLines.size(); ++i) {
        record.resultLines[i] = file->dataLines[i];
    }
    return std::nullopt;
}

MaybeRefusal SaveProfileTable(const std::string& path, const ProfileEvaluation& evaluation,
                              std::string_view comment, const FileSystemOps& ops,
                              const BaselineComparison* baseline) {
    return WriteFileSafely(path, ProfileTableText(evaluation, comment, baseline), ops);
}

MaybeRefusal SaveXcistBowtie(const std::string& path, const AlEquivalentProfile& profile, double stepDeg,
                             const FileSystemOps& ops) {
    const Expected<std::string> text = XcistBowtieFile(profile, stepDeg);
    if (!text) {
        return text.error();
    }
    return WriteFileSafely(path, *text, ops);
}

MaybeRefusal SaveEgsnrcBowtie(const std::string& prefix, const AlEquivalentProfile& profile, double stepDeg,
                              std::string_view title, const FileSystemOps& ops) {
    const Expected<EgsnrcBowtieTexts> texts = EgsnrcBowtieFiles(profile, stepDeg, title);
    if (!texts) {
        return texts.error();
    }
    if (auto refusal = WriteFileSafely(prefix + kEgsnrcDistributionSuffix, texts->distribution, ops)) {
        return refusal;
    }
    return WriteFileSafely(prefix + kEgsnrcBowtieSuffix, texts->bowtie, ops);
}

}  // namespace tessaroven
