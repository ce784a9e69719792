// The display language: the command line, the kept choice, the catalogue and the windows' translation.
#include "app/display_language.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

namespace tessaroven {

namespace {

constexpr const char* kLanguageKey = "display/language";
constexpr const char* kLanguageOption = "--lang";
constexpr const char* kEnglishTranslation = ":/tessaroven/i18n/tessaroven_en.qm";

QString LanguageRefusal(const QString& value) {
    return QString::fromStdString(Message(Reason::LanguageOptionInvalid, {value.toStdString()}));
}

}  // namespace

StartArguments ReadStartArguments(const QStringList& arguments) {
    StartArguments start;
    const QString option = QString::fromLatin1(kLanguageOption);
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        std::optional<QString> value;
        if (!optionsEnded && argument == QStringLiteral("--")) {
            optionsEnded = true;  // a file whose name starts with "--" follows
            continue;
        }
        if (!optionsEnded && argument == option) {
            if (i + 1 == arguments.size()) {
                start.refusal = QString::fromStdString(Message(Reason::OptionNeedsValue, {kLanguageOption}));
                return start;
            }
            value = arguments.at(++i);
        } else if (!optionsEnded && argument.startsWith(option + QLatin1Char('='))) {
            value = argument.mid(option.size() + 1);
        } else {
            // A file manager may hand over several files; the first one opens.
            if (start.measurementFile.isEmpty()) {
                start.measurementFile = argument;
            }
            continue;
        }
        if (start.language) {
            start.refusal = QString::fromStdString(Message(Reason::RepeatedOption, {kLanguageOption}));
            return start;
        }
        start.language = LanguageNamed(value->toStdString());
        if (!start.language) {
            start.refusal = LanguageRefusal(*value);
            return start;
        }
    }
    return start;
}

Language SavedLanguage() {
    const QString code = QSettings().value(QString::fromLatin1(kLanguageKey)).toString();
    return LanguageNamed(code.toStdString()).value_or(Language::Japanese);
}

void SaveLanguage(Language language) {
    QSettings().setValue(QString::fromLatin1(kLanguageKey), QString::fromLatin1(LanguageCode(language)));
}

void InstallWindowTranslation() {
    // One translator at a time, owned by the application object.
    static QPointer<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed.data();
    }
    if (MessageLanguage() == Language::Japanese) {
        return;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QString::fromLatin1(kEnglishTranslation))) {
        QCoreApplication::installTranslator(translator);
        installed = translator;
    } else {
        delete translator;  // a build without the translation shows the Japanese sources
    }
}

}  // namespace tessaroven
