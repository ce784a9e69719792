// The catalogue of every text the program shows or prints to its user, keyed by a reason: refusals, warnings,
// confirmations and the converter's usage. Every text is held in Japanese and in English; the program speaks
// Japanese unless English is chosen at start-up. Texts are UTF-8; "{1}", "{2}" mark the details a message
// carries (a file name, a character, a system error), filled in by Message(), and both languages of an entry
// carry the same ones, though not always in the same order.
#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tessaroven {

enum class Reason {
    // Conversion
    DistanceNotANumber,  // distance 0, or text that does not start with a number
    DistanceTooShort,    // distance less than 1 cm beyond the farthest position
    NumberOutOfRange,    // a typed magnitude beyond the double range
    TooManyPositions,    // more positions than the record holds
    ZeroPivot,           // a zero diagonal cell met by the solver
    ZeroCentreValue,     // the solved centre value is 0: no percent values
    NonFiniteResult,     // a solved value or percent value is not a finite number
    // Entry in the main window
    MissingSetup,           // distance or number of points not typed
    MissingReading,         // no measured value typed
    PositionOutOfRange,     // off-centre distance outside the positions
    PointNumberOutOfRange,  // point number outside the reading list
    // Result file
    NonFiniteValue,                           // a value to be written to the file is not a finite number
    UnrepresentableCharacter,                 // {1}: a comment character that code page 932 cannot hold
    UnrepresentableCharacterWithReplacement,  // {1}: the character, {2}: what to write instead
    CharacterName,                            // {1}: a character, {2}: its code point "U+XXXX"
    ControlCharacterName,                     // {1}: a control character's code point
    UnknownCharacterName,                     // a character that could not be decoded
    OneReplacement,                           // {1}: the text to write instead
    TwoReplacements,                          // {1}, {2}: the two texts to write instead
    LineBreakInComment,                       // the comment holds a line break
    InvalidText,                              // text that is not valid UTF-8 or code page 932
    FileWriteFailed,                          // {1}: file, {2}: the system's error text
    MissingCommentOrFileName,                 // save dialog: an entry left empty
    NulInFileName,                            // save dialog: a NUL in the typed name
    Saved,                                    // save dialog: confirmation
    // Measurement files in the desktop program
    RepeatNotANumber,     // {1}: a part of "100.2; 100.0; 99.9" that is not a number
    NothingToSave,        // no measurement set up yet
    SaveChangesQuestion,  // unsaved changes before a new measurement, an open or the end
    SaveChoice,           // the question's buttons
    DiscardChoice,
    CancelChoice,
    MeasurementFileFilter,  // file dialogs' filter
    OpenMeasurementTitle,
    SaveMeasurementTitle,
    MeasurementSavedStatus,  // {1}: the file
    ExportProfileTitle,      // the profile table's file dialog
    ProfileTableFilter,
    // Pictures
    NoDisplayForPlot,  // no platform to draw the converter's picture with
    PlotNotEncoded,    // the picture could not be encoded as PNG
    PlotUnavailable,   // a build without Qt asked for a picture
    // Desktop program start
    NoDisplay,  // no display to open the windows on
    // Command-line converter
    UnknownOption,              // {1}: the option
    RepeatedOption,             // {1}: the option
    OptionNeedsValue,           // {1}: the option
    OptionTakesNoValue,         // {1}: the option
    DistanceOptionNotANumber,   // {1}: the value of --distance
    DistanceOptionOutOfRange,   // {1}: the value of --distance
    EmptyOutputName,            // --output ""
    UsageHint,                  // appended to a usage error
    InputUnreadable,            // standard input could not be read
    TooManyReadings,            // {1}: the largest number of readings
    ReadingNotANumber,          // {1}: where, {2}: the token
    ReadingOutOfRange,          // {1}: where, {2}: the token
    InputLinePlace,             // {1}: line number of standard input ("where" of the two above)
    NoReadings,                 // neither arguments nor standard input held a reading
    EmptyComment,               // --comment ""
    LineBreakInCommentOption,   // --comment with a line break
    OutputUnwritable,           // standard output could not be written
    DistanceDetail,             // {1}: the distance, appended to a distance refusal
    UsageSynopsis,              // {1}: the extensions' options
    UsageDescription,           // {1}: the extensions' lines
    PlotOptionHelp,             // --plot in builds with Qt
    PlotOptionUnavailableHelp,  // --plot in builds without Qt
    // Measurement file
    MeasurementFileUnreadable,           // {1}: file, {2}: the system's error text or the fault in the file
    MeasurementFileTooLarge,             // {1}: the largest size in bytes
    MeasurementFilePlace,                // {1}: line, {2}: column (the place of the faults below)
    MeasurementFileNotUtf8,              // {1}: place
    MeasurementFileNotJson,              // {1}: place
    MeasurementFileNumberOutOfRange,     // {1}: place or key
    MeasurementFileNotObject,            // the top level is not an object
    MeasurementFileUnknownFormat,        // {1}: the value of "format"
    MeasurementFileBadVersion,           // {1}: the value of "version"
    MeasurementFileNewerVersion,         // {1}: the value of "version"
    MeasurementFileMissingKey,           // {1}: key
    MeasurementFileNotANumber,           // {1}: key
    MeasurementFileNotText,              // {1}: key
    MeasurementFileNotArray,             // {1}: key
    MeasurementFileNotObjectValue,       // {1}: key
    MeasurementFileLineBreakInComment,   // the comment holds a line break
    MeasurementFileDistanceNotPositive,  // {1}: the distance
    MeasurementFilePositionCount,        // {1}: the number of positions, {2}: the largest number
    MeasurementFileEmptyPosition,        // {1}: key
    MeasurementFileNegativeUncertainty,  // {1}: key
    MeasurementFileBadDate,              // {1}: key, {2}: the text
    // Command-line converter and the measurement file
    EmptyFileOption,          // {1}: the option given an empty file name
    ReadingsWithMeasurement,  // READING arguments together with --measurement
    EmptyMeasurementComment,  // the measurement file's comment is empty and --comment is not given
    // Measuring conditions dialog ({1}: the field's label)
    ConditionNotANumber,           // a number field that is not one complete number
    ConditionNumberOutOfRange,     // a number field beyond the double range
    ConditionNegativeUncertainty,  // an uncertainty below 0
    ConditionBadDate,              // the day of the measurement is not a YYYY-MM-DD calendar day
    // Uncertainty, fan angles and the profile table
    ProfileNotConverted,  // no conversion has been done yet
    // Command-line converter: uncertainties and the profile table
    UncertaintyOptionInvalid,           // {1}: the option, {2}: its value (not a finite number of 0 or more)
    ProfileToStandardOutputWithOutput,  // --profile - together with --output
    PlotModuleNotLoaded,  // {1}: the path of --plot's drawing module, {2}: why it could not be loaded
    // The report
    ReportTitle,
    ReportCreated,  // {1}: date and time, {2}: program name and version
    ReportFileLabel,
    ReportUnsaved,
    ReportCommentLabel,
    ReportDistanceLabel,
    ReportUncertaintyKnown,
    ReportUncertaintyUnknown,
    ReportSignature,
    ReportNotMade,  // the PDF could not be produced
    ExportReportTitle,
    ReportPdfFilter,
    PrintNotDone,  // the printer did not start
    // Comparison with a baseline
    ToleranceInvalid,  // {1}: the tolerance (not a finite number of 0 or more)
    BaselineAgrees,    // {1}: the number of positions compared, {2}: the tolerance
    BaselineDeviates,  // {1}: how many flagged, {2}: which, {3}: the number compared, {4}: the tolerance
    BaselineDistanceDiffers,  // {1}: the baseline's distance, {2}: the measurement's
    BaselinePositionsDiffer,  // {1}: the baseline's last position, {2}: the measurement's
    // Command-line converter: the comparison with a baseline
    BaselineOptionPlace,       // {1}: the file; put before a refusal of the --baseline file
    BaselineOptionMissing,     // {1}: an option that needs --baseline
    BaselineUsageSynopsis,     // the baseline options in the usage's synopsis
    BaselineUsageDescription,  // their lines in the usage
    // The centre spectrum's file ({1}: the line number where one is given)
    SpectrumFileUnreadable,        // {1}: file, {2}: the system's error text or the fault in the file
    SpectrumFileTooLarge,          // {1}: the largest size in bytes
    SpectrumLineNotTwoNumbers,     // {1}: line, {2}: its text
    SpectrumHeaderInvalid,         // {1}: line, {2}: its text ("n, emin, mode")
    SpectrumModeUnsupported,       // {1}: line, {2}: the mode
    SpectrumBinLineNotTwoNumbers,  // {1}: line, {2}: its text
    SpectrumBinCountMismatch,      // {1}: the number of bins announced, {2}: the number of bin lines
    SpectrumEnergyNotPositive,     // {1}: line
    SpectrumEnergyNotAscending,    // {1}: line
    SpectrumNegativeValue,         // {1}: line
    SpectrumNoValues,              // no value lines, or every value 0
    SpectrumLengthMismatch,        // energies and weights of different lengths
    SpectrumEntryInvalid,          // {1}: the entry's number from 1
    // Al-equivalent thickness
    AttenuationDataUnavailable,       // {1}: the energy in keV, {2}: the attenuation library's text
    AlEquivalentTransmissionInvalid,  // {1}: the position in cm, {2}: the relative value on the arc
    AlEquivalentNotSolved,            // {1}: the position in cm
    MeasurementFileSpectrumInvalid,   // {1}: the fault in the measurement file's spectrum
    // Command-line converter: spectrum, Al-equivalent thickness and the files for other programs
    SpectrumOptionNeeded,        // {1}: the option that needs --spectrum
    CentreAlOptionInvalid,       // {1}: the value of --centre-al
    AngleStepOptionInvalid,      // {1}: the value of --angle-step
    BowtieExportIncomplete,      // {1}: the receiving program (XCIST, EGSnrc)
    AlEquivalentPositionNotice,  // {1}: a position's refusal, printed as a warning
    AlEquivalentOptionsHelp,     // the lines of --spectrum, --centre-al, --xcist, --egsnrc, --angle-step
    AlEquivalentUsageSynopsis,   // the synopsis line of those options
    // The baseline and the report in the desktop program
    OpenBaselineTitle,
    BaselineFilePlace,  // {1}: the baseline's file name
    ToleranceTitle,
    TolerancePrompt,
    ReportOptionHelp,       // --report's line of the usage text
    BaselineStatusAgrees,   // the status bar's short verdict
    BaselineStatusFlagged,  // {1}: the number of flagged positions, {2}: the positions
    BaselineStatusDiffers,  // added when the baseline's distance or positions differ
    // The desktop program: the spectrum dialog, the thickness graph and the files for other programs
    ChooseSpectrumTitle,
    SpectrumFileFilter,
    SpectrumCentreAlInvalid,  // {1}: the text of the central thickness field
    AngleStepInvalid,         // {1}: the text of the angle step field
    BowtieSpectrumNeeded,     // {1}: the receiving program (XCIST, EGSnrc)
    ExportXcistTitle,
    XcistBowtieFilter,
    ExportEgsnrcTitle,
    EgsnrcSourceFilter,
    // Column headings of the results table and the report
    ColumnPosition,
    ColumnFanAngle,
    ColumnReading,
    ColumnReadingCount,
    ColumnReadingU,
    ColumnProfile,
    ColumnRelative,
    ColumnRelativeOnArc,
    ColumnBaseline,
    ColumnDelta,
    ColumnFlag,
    ColumnAlEquivalent,
    ColumnHalfValueLayer,
    ColumnFluenceTransmission,
    FlagDeviates,  // a position outside the tolerance
    FlagAgrees,    // a position within it
    // The measuring conditions' labels, with their units
    ConditionScanner,
    ConditionScannerSerial,
    ConditionBowtieFilter,
    ConditionTubeVoltage,
    ConditionCollimation,
    ConditionRotationTime,
    ConditionCurrentTimeProduct,
    ConditionDetector,
    ConditionDetectorSerial,
    ConditionCalibrationFactor,
    ConditionCalibrationDate,
    ConditionCalibrationUncertainty,
    ConditionRepeatability,
    ConditionRepeatabilityNote,  // a second line under the repeatability's label
    ConditionMeasuredOn,
    ConditionOperator,
    ConditionSite,
    ConditionNotes,
    AttenuationOutOfRange,  // the attenuation library's energy range does not hold an energy
    // The display language
    LanguageOptionInvalid,  // {1}: the value of --lang
    LanguageUsageSynopsis,  // --lang in the converter's usage synopsis
    LanguageOptionHelp,     // its line in the usage
    // The conversion models and the forward simulator
    ModelCompatible,                // the compatible model's name
    ModelIsotropic,                 // the isotropic model's name
    SimulationProfileStart,         // a simulator's profile table that does not start at 0 with two rows
    SimulationProfileReach,         // {1}: the farthest position, {2}: the position (cm) the table must reach
    SimulationProfileReachDegrees,  // {1}: the farthest position, {2}: the fan angle the table must reach
    // The model in the measurement file
    MeasurementFileUnknownModel,       // {1}: the value of "model"
    MeasurementFileModelNeedsVersion,  // {1}: the value of "model", {2}: the file's version
    // Command-line converter: the model and the simulation
    ModelOptionInvalid,      // {1}: the value of --model
    ModelLine,               // {1}: the model's name, after the comparison's summary
    ModelUsageSynopsis,      // --model, --simulate and --positions in the usage's synopsis
    ModelOptionHelp,         // their lines in the usage
    SimulateOptionMissing,   // {1}: an option that needs --simulate
    SimulateExcludes,        // {1}: an option or READING given with --simulate
    PositionsOptionInvalid,  // {1}: the value of --positions, {2}: the largest number of positions
    ProfileFileUnreadable,   // {1}: file, {2}: the system's error text or the fault in the file
    ProfileFileTooLarge,     // {1}: the largest size in bytes
    // The profile file of --simulate ({1}: the line number)
    ProfileColumnsNoHeader,       // no heading line
    ProfileColumnsBadHeader,      // {1}: line, {2}: its text
    ProfileColumnsNotTwoColumns,  // {1}: line, {2}: its text
    ProfileColumnsNotANumber,     // {1}: line, {2}: column, {3}: the text
    ProfileColumnsNegative,       // {1}: line, {2}: column
    ProfileColumnsNotAscending,   // {1}: line
    ProfileColumnsThreeEqual,     // {1}: line
    ProfileColumnsTooManyRows,    // {1}: the largest number of rows
    ReportModelLabel,             // the report's line naming the model, when it is not the compatible one
    // Why the safe writer leaves a target alone (the reason part of FileWriteFailed)
    WriteTargetFolder,       // {1}: the system's error text
    WriteTargetSocket,       // a socket
    WriteTargetBlockDevice,  // a disk or partition
    WriteLinkUntrusted,      // {1}: the link's owner (user number), {2}: the folder's owner
    WriteLinkDangling,       // {1}: where the link points
    WriteLinkLoop,           // {1}: the system's error text
    // Nothing replaced or dropped without a question (desktop program)
    ReplaceFileQuestion,    // {1}: the file's full path
    ExportResultsCsvTitle,  // the file chooser's title for the result CSV
    ResultsCsvFilter,       // its file type
    SavedTo,                // the result file's confirmation with {1}: its full path
    // Limits on outside data, and the converter's outputs written only after every check
    MeasurementFileTooDeep,         // {1}: place, {2}: the deepest nesting read
    MeasurementFileTooLargeToSave,  // {1}: the file's size in bytes, {2}: the largest size the reader takes
    JsonArrayKind,                  // how a value that is an array is named in place of its text
    JsonObjectKind,                 // how a value that is an object is named in place of its text
    ReadingTooLong,                 // {1}: where, {2}: the token's start, {3}: the longest token
    SpectrumWeightsOverflow,        // the sum of the weights is beyond the range of numbers
    OutputsSameFile,                // {1}, {2}: the two options, {3}: the file
    OutputsWritten,                 // {1}: the outputs written before a write failed
    OutputsNotWritten,              // {1}: the outputs not written
    // The number boxes of the desktop program, read as strictly as the converter reads its readings
    NumberBoxInvalid,       // {1}: the box's name (one of the three below), {2}: the text typed
    NumberBoxEmpty,         // {1}: the box's name
    DistanceBoxName,        // the focus–axis distance
    PointNumberBoxName,     // the point No.
    OffCentreBoxName,       // the off-centre distance
    PointCountInvalid,      // {1}: the text typed, {2}: the largest number of points
    NonPositiveReading,     // {1}: the positions (cm) whose reading is 0 or less
    DropPositionsQuestion,  // {1}: the new number of points, {2}: the positions (cm) whose readings go
    YesChoice,              // the question's buttons
    NoChoice,
    // The conditions dialog's plausible ranges ({1}: the field, {2} and {3}: the range's ends)
    ConditionOutsideRange,       // from {2} to {3}
    ConditionOutsideRangeAbove,  // more than {2}, at most {3}
    // The report: the baseline and the readings
    ReportBaselineFileLabel,      // the baseline's measurement file
    ReportBaselineMeasuredLabel,  // the day the baseline was measured
    ReportNonPositiveReadings,    // {1}: the positions (cm) with a reading of 0 or less
    // The graph's legend and its PNG image
    GraphLegendMeasurement,  // the measurement's profile
    GraphLegendBaseline,     // the baseline's profile
    GraphLegendFlagged,      // the rings round the flagged positions
    ExportGraphTitle,        // the file dialog's title
    GraphPngFilter,          // its filter
    GraphSaved,              // {1}: the file's full path
    // The system's error codes in the user's language (SystemErrorText), and the in-place write's refusals
    SystemErrorNoEntry,         // ENOENT
    SystemErrorAccessDenied,    // EACCES
    SystemErrorNotPermitted,    // EPERM
    SystemErrorDiskFull,        // ENOSPC
    SystemErrorQuotaExceeded,   // EDQUOT
    SystemErrorReadOnly,        // EROFS
    SystemErrorIsFolder,        // EISDIR
    SystemErrorNotFolder,       // ENOTDIR
    SystemErrorExists,          // EEXIST
    SystemErrorNameTooLong,     // ENAMETOOLONG
    SystemErrorLinkLoop,        // ELOOP
    SystemErrorInputOutput,     // EIO
    SystemErrorBusy,            // EBUSY
    SystemErrorProgramRunning,  // ETXTBSY
    SystemErrorTooManyOpen,     // EMFILE, ENFILE
    SystemErrorFileTooLarge,    // EFBIG
    SystemErrorAcrossDevices,   // EXDEV
    SystemErrorTryAgain,        // EAGAIN, EWOULDBLOCK
    SystemErrorOther,           // {1}: the error's number
    WriteOldCopyFailed,  // {1}: where the copy of the old contents was to go, {2}: the system's error text
    WriteFileLocked,     // another program holds the file's lock longer than the writer waits
    // The readings table (desktop program)
    ReadingCellNotANumber,  // {1}: position in cm, {2}: which reading (from 1), {3}: the cell's text
    ReadingCellOutOfRange,  // {1}: position in cm, {2}: which reading (from 1)
    PastedRowsDoNotFit,     // {1}: rows pasted, {2}: first position, {3}: rows that fit, {4}: last position
    TooManyReadingsAtPosition,  // {1}: position in cm, {2}: the most readings a position takes
    NonPositiveReadingCell,     // a cell's tip: a reading of 0 or less is kept, but worth a look
    ReadingsTableNeedsSetup,    // the table opens once the number of points is set
    // Windows: file names are turned from UTF-8 into the system's UTF-16
    FileNameNotUtf8,         // a file name whose bytes are not UTF-8
    SystemErrorInvalidName,  // ERROR_INVALID_NAME: a character a Windows name cannot hold, or no valid form
    // --report in builds without Qt (it had --plot's texts)
    ReportUnavailable,            // a build without Qt asked for the report
    ReportOptionUnavailableHelp,  // --report in builds without Qt
    // The browser edition's comment box
    CommentNotEntered,  // converting or saving with the comment box empty
};

// The last reason of the enumeration (move it along when adding reasons after it).
inline constexpr Reason kLastReason = Reason::CommentNotEntered;

enum class Language { Japanese, English };

struct CatalogueEntry {
    Reason reason;
    const char* japanese;
    const char* english;
};

// Every entry, one per reason, in the order of the enumeration.
std::span<const CatalogueEntry> MessageCatalogue();

// The language a code names ("ja", "en"), as --lang and the settings give it; none for any other text.
std::optional<Language> LanguageNamed(std::string_view code);
std::string_view LanguageCode(Language language);

// The language of every text the program shows from here on; chosen once at start-up, Japanese until then.
void SetMessageLanguage(Language language);
Language MessageLanguage();

// The reason's text in the given language as the catalogue holds it, placeholders included.
std::string_view MessageText(Reason reason, Language language);

// The reason's text in MessageLanguage(); Message() and IsMessageOf() use it as well.
std::string_view MessageText(Reason reason);

// The reason's text with {1}, {2}, ... replaced by the details in order.
std::string Message(Reason reason, std::initializer_list<std::string_view> details = {});

// Whether text is the reason's message with some details filled in (each placeholder stands for any text).
bool IsMessageOf(Reason reason, std::string_view text);

}  // namespace tessaroven
