// Each format's file on disk. The formats turn values into bytes and bytes into values without touching the
// system; storage reads and writes bytes without knowing a format. These functions join the two and are the
// only code that knows both, so the converter and the desktop program read and save files through them.
#pragma once

#include <string>
#include <string_view>

#include "formats/bowtie_exports.h"
#include "formats/csv.h"
#include "formats/measurement_file.h"
#include "formats/profile_table.h"
#include "formats/spectrum_file.h"
#include "messages/outcome.h"
#include "storage/storage.h"

namespace tessaroven {

// Reads the measurement file at path. Besides ParseMeasurementFile's refusals, a file that cannot be read or
// is larger than kMaxMeasurementFileBytes is refused; every message names the file.
Expected<Measurement> ReadMeasurementFile(const std::string& path);

// Writes MeasurementFileBytes safely (a failed save leaves the old file); a refused measurement writes
// nothing.
MaybeRefusal SaveMeasurementFile(const std::string& path, const Measurement& measurement,
                                 const FileSystemOps& ops = SystemFileSystem());

// Reads the spectrum file at path; besides ParseSpectrumFile's refusals, a file that cannot be read or is
// larger than kMaxSpectrumFileBytes is refused, and
// every message names the file.
Expected<ParsedSpectrum> ReadSpectrumFile(const std::string& path);

// Builds the file, writes it safely to path (used exactly as given), and on success stores the data lines in
// resultLines[0..lastPosition]. On refusal nothing is written and the record is unchanged.
MaybeRefusal SaveCsvFile(const std::string& path, std::string_view commentUtf8, MeasurementRecord& record,
                         const FileSystemOps& ops = SystemFileSystem());

// Writes ProfileTableText safely to path (a failed write leaves any old file as it was).
MaybeRefusal SaveProfileTable(const std::string& path, const ProfileEvaluation& evaluation,
                              std::string_view comment, const FileSystemOps& ops = SystemFileSystem(),
                              const BaselineComparison* baseline = nullptr);

// Safe writing of those texts (a failed write leaves an old file as it was), refused as above.
MaybeRefusal SaveXcistBowtie(const std::string& path, const AlEquivalentProfile& profile, double stepDeg,
                             const FileSystemOps& ops = SystemFileSystem());
// Writes PREFIX_distribution.dat, then PREFIX_bowtie.dat.
MaybeRefusal SaveEgsnrcBowtie(const std::string& prefix, const AlEquivalentProfile& profile, double stepDeg,
                              std::string_view title, const FileSystemOps& ops = SystemFileSystem());

}  // namespace tessaroven
