// Random user sessions: the gestures, the texts typed, and the invariants.
#include "session_player.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "app/application.h"
#include "entry/main_window_handlers.h"
#include "measurement/measurement_record.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"
#include "ui/save_dialog.h"
#include "ui/save_dialog_handlers.h"
#include "ui/start_screen.h"

namespace tessaroven::robustness {

namespace {

bool HasNonFiniteText(const QString& text) {
    return text.contains(QStringLiteral("nan"), Qt::CaseInsensitive) ||
           text.contains(QStringLiteral("inf"), Qt::CaseInsensitive);
}

QString Quoted(const QString& text) {
    QString shown = text.size() > 40 ? text.left(37) + QStringLiteral("...(") + QString::number(text.size()) +
                                           QStringLiteral(" chars)")
                                     : text;
    shown.replace(QChar(u'\0'), QStringLiteral("\\0"));
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString WindowName(const QWidget* window) {
    if (qobject_cast<const MainWindow*>(window)) {
        return QStringLiteral("MainWindow");
    }
    if (qobject_cast<const StartScreen*>(window)) {
        return QStringLiteral("StartScreen");
    }
    if (qobject_cast<const SaveDialog*>(window)) {
        return QStringLiteral("SaveDialog");
    }
    return QStringLiteral("GraphWindow");
}

QString ControlName(const QWidget* control) {
    return WindowName(control->window()) + QLatin1Char('.') + control->objectName();
}

}  // namespace

SessionPlayer::SessionPlayer(const QString& folder) : m_folder(folder) {}

SessionPlayer::~SessionPlayer() {
    EndProgram();
}

int SessionPlayer::Below(int n) {
    return static_cast<int>(m_random() % static_cast<std::uint64_t>(n));
}

bool SessionPlayer::Chance(double p) {
    return std::uniform_real_distribution<double>(0, 1)(m_random) < p;
}

void SessionPlayer::Log(const QString& what) {
    m_steps << QString::number(m_steps.size() + 1) + QStringLiteral(": ") + what;
}

void SessionPlayer::StartProgram() {
    m_app = std::make_unique<Application>();
    m_ended = false;
    QObject::connect(m_app.get(), &Application::programEnded, [this] { m_ended = true; });
    m_app->Start();
}

void SessionPlayer::EndProgram() {
    m_app.reset();
    // The save dialog and the graph window are independent top-level windows; none may outlive the program.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<SaveDialog*>(widget) || qobject_cast<GraphWindow*>(widget)) {
            delete widget;
        }
    }
}

Application& SessionPlayer::StartFreshProgram() {
    EndProgram();
    StartProgram();
    return *m_app;
}

QString SessionPlayer::CheckNow(bool afterSave) {
    m_savePressed = afterSave;
    return CheckInvariants();
}

QList<QWidget*> SessionPlayer::VisibleWindows() const {
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() &&
            (qobject_cast<MainWindow*>(widget) || qobject_cast<StartScreen*>(widget) ||
             qobject_cast<SaveDialog*>(widget) || qobject_cast<GraphWindow*>(widget))) {
            windows << widget;
        }
    }
    // topLevelWidgets() has no fixed order; the session must not depend on it.
    std::sort(windows.begin(), windows.end(),
              [](const QWidget* a, const QWidget* b) { return WindowName(a) < WindowName(b); });
    return windows;
}

QString SessionPlayer::Play(std::uint64_t seed, int steps) {
    m_random.seed(seed);
    m_steps.clear();
    EndProgram();
    StartProgram();
    ++m_figures.sessions;
    for (int i = 0; i < steps; ++i) {
        m_savePressed = false;
        m_answerer.Start();
        Step();
        m_answerer.Stop();
        ++m_figures.steps;
        if (QString broken = CheckInvariants(); !broken.isEmpty()) {
            return broken;
        }
        if (m_ended) {
            // The program was ended on purpose (start screen Exit or close box): start it again.
            Log(QStringLiteral("program ended; started afresh"));
            ++m_figures.programRestarts;
            EndProgram();
            StartProgram();
        }
    }
    EndProgram();
    return {};
}

void SessionPlayer::Step() {
    const QList<QWidget*> windows = VisibleWindows();
    if (windows.isEmpty()) {
        Log(QStringLiteral("no window to act on"));
        return;
    }
    OnWindow(windows[Below(static_cast<int>(windows.size()))]);
}

void SessionPlayer::OnWindow(QWidget* window) {
    if (auto* start = qobject_cast<StartScreen*>(window)) {
        const int pick = Below(100);
        if (pick == 0) {
            Log(QStringLiteral("StartScreen close box"));
            ++m_figures.windowsClosedByBox;
            start->close();
        } else if (pick == 1) {
            Log(QStringLiteral("click StartScreen.exitButton (Exit)"));
            QTest::mouseClick(start->exitButton, Qt::LeftButton);
        } else {
            Log(QStringLiteral("click StartScreen.startButton (OK)"));
            QTest::mouseClick(start->startButton, Qt::LeftButton);
        }
        return;
    }

    QList<QLineEdit*> boxes;
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (box->isVisible()) {
            boxes << box;
        }
    }
    QList<QPushButton*> buttons;
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->isVisible() && button->isEnabled()) {
            buttons << button;
        }
    }
    std::sort(boxes.begin(), boxes.end(), [](auto* a, auto* b) { return a->objectName() < b->objectName(); });
    std::sort(buttons.begin(), buttons.end(),
              [](auto* a, auto* b) { return a->objectName() < b->objectName(); });

    QWidget* focus = window->focusWidget();
    if (Chance(0.3) && focus != nullptr) {
        // The keyboard-only operator: the program moves the focus along the workflow (distance, points,
        // setup OK, reading, OK  Next, ..., 修正なし, 変換計算), and Enter goes on from wherever it is.
        if (auto* box = qobject_cast<QLineEdit*>(focus); box != nullptr && box->isVisible()) {
            TypeInto(box, RandomText(box, true));
        }
        Log(QStringLiteral("Enter on the focus (") + ControlName(focus) + QLatin1Char(')'));
        Press(focus, false);
        return;
    }

    const int pick = Below(100);
    if (pick < 38 && !boxes.isEmpty()) {
        QLineEdit* box = boxes[Below(static_cast<int>(boxes.size()))];
        TypeInto(box, RandomText(box, false));
        if (Chance(0.5)) {
            Log(QStringLiteral("Enter in ") + ControlName(box));
            QTest::keyClick(box, Qt::Key_Return);
        }
    } else if (pick < 50 && !boxes.isEmpty()) {
        QLineEdit* box = boxes[Below(static_cast<int>(boxes.size()))];
        const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                                   Qt::AltModifier};
        const Qt::KeyboardModifiers modifier = modifiers[Below(4)];
        const Qt::Key key = Chance(0.8) ? Qt::Key_Return : Qt::Key_Enter;
        Log(QStringLiteral("Enter (%1, modifiers %2) in ").arg(int(key)).arg(int(modifier)) +
            ControlName(box));
        box->setFocus();
        QTest::keyClick(box, key, modifier);
    } else if (pick < 56) {
        // Enter or Tab on whatever has the focus, as a keyboard-only user goes on.
        QWidget* focus = window->focusWidget() != nullptr ? window->focusWidget() : window;
        const bool tab = Chance(0.5);
        Log(QStringLiteral("%1 on the focus (%2)").arg(tab ? "Tab" : "Enter", ControlName(focus)));
        if (tab) {
            QTest::keyClick(focus, Qt::Key_Tab);
        } else {
            Press(focus, false);
        }
    } else if (pick < 97 && !buttons.isEmpty()) {
        QPushButton* button = buttons[Below(static_cast<int>(buttons.size()))];
        Log(QStringLiteral("click ") + ControlName(button) + QStringLiteral(" (") + button->text() +
            QLatin1Char(')'));
        Press(button, true);
    } else {
        Log(QStringLiteral("close box of ") + WindowName(window));
        ++m_figures.windowsClosedByBox;
        window->close();
    }
}

void SessionPlayer::Press(QWidget* target, bool withMouse) {
    QWidget* window = target->window();
    auto* mainWindow = qobject_cast<MainWindow*>(window);
    const bool converts = mainWindow != nullptr && target == mainWindow->convertButton;
    m_savePressed = qobject_cast<SaveDialog*>(window) != nullptr && target->objectName() == "okButton";
    if (withMouse) {
        QTest::mouseClick(target, Qt::LeftButton);
    } else {
        QTest::keyClick(target, Qt::Key_Return);
    }
    if (converts && mainWindow->resultList->count() > 0) {
        ++m_figures.conversions;
    }
}

void SessionPlayer::TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    // Short texts are typed key by key, long ones arrive at once as a paste would.
    if (text.size() <= 12 && !text.contains(QChar(u'\0')) && !text.contains(QLatin1Char('\t'))) {
        Log(QStringLiteral("type ") + Quoted(text) + QStringLiteral(" into ") + ControlName(box));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
                QTest::keyClick(box, static_cast<char>(c.unicode()));
            } else {
                // QTest's key names cover printable ASCII only; other characters come as the text of a key
                // event, as an input method delivers them.
                const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
                i += length - 1;
            }
        }
    } else {
        Log(QStringLiteral("paste ") + Quoted(text) + QStringLiteral(" into ") + ControlName(box));
        box->setText(text);
    }
}

QString SessionPlayer::RandomNumberText() {
    QString text;
    const int sign = Below(4);
    if (sign == 0) {
        text += QLatin1Char('-');
    } else if (sign == 1) {
        text += QLatin1Char('+');
    }
    const int digits = Below(6) == 0 ? Below(30) : Below(4);
    for (int i = 0; i < digits; ++i) {
        text += QChar(u'0' + Below(10));
    }
    if (Chance(0.4)) {
        text += QLatin1Char('.');
        for (int i = Below(5); i > 0; --i) {
            text += QChar(u'0' + Below(10));
        }
    }
    if (Chance(0.25)) {
        text += QStringLiteral("EeDd")[Below(4)];
        if (Chance(0.5)) {
            text += Chance(0.5) ? QLatin1Char('-') : QLatin1Char('+');
        }
        const int exponents[] = {0, 1, 2, 5, 15, 300, 307, 308, 309, 320, 400, 4000};
        text += QString::number(exponents[Below(12)]);
    }
    return text;
}

QString SessionPlayer::RandomText(const QLineEdit* box, bool careful) {
    const QWidget* window = box->window();
    const bool fileName =
        qobject_cast<const SaveDialog*>(window) != nullptr && box->objectName() == "fileNameEdit";
    const bool comment =
        qobject_cast<const SaveDialog*>(window) != nullptr && box->objectName() == "commentEdit";

    if (fileName) {
        // Names stay inside the test's folder: no "/" (the writer uses a typed folder path unchanged).
        const QString names[] = {QStringLiteral("profile"),
                                 QStringLiteral("測定結果"),
                                 QStringLiteral(" "),
                                 QString(),
                                 QStringLiteral("."),
                                 QStringLiteral(".."),
                                 QStringLiteral("a,b;c"),
                                 QString(300, QLatin1Char('n')),
                                 QStringLiteral("x") + QChar(u'\0') + "y",
                                 QStringLiteral("profile.csv"),
                                 QStringLiteral("12-07-2026"),
                                 QStringLiteral("tab\tname"),
                                 QStringLiteral("\u00e9t\u00e9"),
                                 QString(120, QChar(u'\u6e2c'))};
        return names[Below(static_cast<int>(std::size(names)))];
    }
    if (comment) {
        const QString comments[] = {QStringLiteral("Comment"),
                                    QStringLiteral("線量プロファイル 120kV, 200mA"),
                                    QString(),
                                    QStringLiteral("   "),
                                    QStringLiteral("\"quoted\", comma"),
                                    QStringLiteral("①②③ ～ ∥ ¬"),
                                    QStringLiteral("emoji \U0001F600"),
                                    QStringLiteral("Ω µ é ß"),
                                    QStringLiteral("line\nbreak"),
                                    QString(5000, QChar(u'\u3042')),
                                    QStringLiteral("nan inf Infinity")};
        return comments[Below(static_cast<int>(std::size(comments)))];
    }

    const auto* mainWindow = qobject_cast<const MainWindow*>(window);
    if (mainWindow != nullptr && (careful || Chance(0.4))) {
        // Values a careful operator types, so that sessions reach the conversion, the graph and the save.
        if (box == mainWindow->distanceEdit) {
            const int distances[] = {60, 60, 60, 45, 100, 30, 5, 1, 0};
            return QString::number(distances[Below(9)]);
        }
        if (box == mainWindow->pointCountEdit) {
            return QString::number(Chance(0.8) ? 1 + Below(8) : Below(35));
        }
        if (box == mainWindow->pointNumberEdit) {
            return QString::number(Below(33));
        }
        if (box == mainWindow->offCentreEdit) {
            return QString::number(Below(33) - 1);
        }
        if (Chance(0.1)) {
            // Readings at the edges of the double range drive the percent values and the graph to extremes.
            const char* extremes[] = {"0",        "-50",  "1e-300", "1e300", "1.7976931348623157e308",
                                      "4.9e-324", "-1e-5"};
            return QString::fromLatin1(extremes[Below(7)]);
        }
        return QString::number(Below(2000) / 10.0);
    }

    switch (Below(12)) {
        case 0:
            return QString();
        case 1:
            return QString(1 + Below(3), QLatin1Char(' '));
        case 2:
            return QStringLiteral("1,5");
        case 3:
            return QStringLiteral("1 5");
        case 4: {
            const QString words[] = {
                QStringLiteral("測定値"), QStringLiteral("１２３"), QStringLiteral("abc"),
                QStringLiteral("nan"),    QStringLiteral("inf"),    QStringLiteral("-Infinity"),
                QStringLiteral("0x1p3"),  QStringLiteral("--5"),    QStringLiteral(".")};
            return words[Below(9)];
        }
        case 5: {
            // Very long: a number too large for a double, or a long run of text.
            return Chance(0.5) ? QString(400 + Below(5000), QLatin1Char('9'))
                               : QString(200 + Below(3000), QChar(u'\u5024'));
        }
        case 6:
            return QStringLiteral("1e") + QString::number(Below(2) == 0 ? -400 : 400);
        case 7:
            return QStringLiteral("\t") + RandomNumberText() + QStringLiteral("\n");
        default:
            return RandomNumberText();
    }
}

QString SessionPlayer::CheckInvariants() {
    for (const SeenMessage& seen : m_answerer.Take()) {
        ++m_figures.messageBoxes;
        if (!seen.isMessageBox) {
            return QStringLiteral("a modal window that is not a message box appeared: ") + Quoted(seen.text);
        }
        if (seen.caption != QLatin1String(kMessageCaption)) {
            return QStringLiteral("message box with caption ") + Quoted(seen.caption);
        }
        if (!IsProgramMessage(seen.text)) {
            return QStringLiteral("message box with a text that is not the program's: ") + Quoted(seen.text);
        }
        if (IsMessageOf(Reason::SavedTo, seen.text.toStdString())) {
            ++m_figures.filesSaved;
        }
    }
    if (QApplication::activeModalWidget() != nullptr) {
        return QStringLiteral("a modal window is still open after the step");
    }
    if (!m_app) {
        return QStringLiteral("the application object is gone");
    }
    if (!m_ended && VisibleWindows().isEmpty()) {
        return QStringLiteral("the program runs on with no visible window");
    }

    const MeasurementRecord& record = m_app->record();
    if (!std::isfinite(record.lastPosition) || std::floor(record.lastPosition) != record.lastPosition ||
        record.lastPosition > kLastSlot) {
        return QStringLiteral("lastPosition out of range: ") + QString::number(record.lastPosition, 'g', 17);
    }
    for (int i = 0; i < kSlotCount; ++i) {
        if (!std::isfinite(record.reading[i]) || !std::isfinite(record.profile[i]) ||
            !std::isfinite(record.relativePercent[i])) {
            return QStringLiteral("a non-finite reading, profile or relative value in slot ") +
                   QString::number(i);
        }
        if (HasNonFiniteText(QString::fromStdString(record.readingLines[i])) ||
            HasNonFiniteText(QString::fromStdString(record.resultLines[i]))) {
            return QStringLiteral("a non-finite number text in a line of slot ") + QString::number(i);
        }
    }
    if (MainWindow* form = m_app->mainWindow()) {
        for (QListWidget* list : {form->readingList, form->resultList}) {
            for (int i = 0; i < list->count(); ++i) {
                if (HasNonFiniteText(list->item(i)->text())) {
                    return QStringLiteral("a non-finite number text in ") + list->objectName() +
                           QStringLiteral(": ") + Quoted(list->item(i)->text());
                }
            }
        }
        if (form->resultList->count() > kSlotCount) {
            return QStringLiteral("resultList holds more lines than there are slots");
        }
    }
    return m_savePressed ? CheckFiles() : QString();
}

QString SessionPlayer::CheckFiles() {
    const QStringList entries = m_folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : entries) {
        if (name.startsWith(QStringLiteral(".tessaroven-"))) {
            return QStringLiteral("a temporary file was left behind: ") + name;
        }
        QFile file(m_folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray bytes = file.readAll();
        const qsizetype firstLine = bytes.indexOf("\r\n");
        if (firstLine < 0 || !bytes.endsWith("\r\n")) {
            return QStringLiteral("a result file without CR LF line ends: ") + name;
        }
        if (HasNonFiniteText(QString::fromLatin1(bytes.mid(firstLine)))) {
            return QStringLiteral("a non-finite number in the file ") + name;
        }
        // Data lines keep "." as decimal mark in every locale, or the file's columns would split.
        static const QRegularExpression dataLine(
            QStringLiteral("^(0|[1-9][0-9]?), -?[0-9]+\\.[0-9]{3},  -?[0-9]+\\.[0-9]{2}$"));
        const QList<QByteArray> lines = bytes.mid(firstLine + 2).split('\n');
        for (const QByteArray& line : lines) {
            if (!line.isEmpty() &&
                !dataLine.match(QString::fromLatin1(line.chopped(line.endsWith('\r') ? 1 : 0))).hasMatch()) {
                return QStringLiteral("a data line out of shape in the file ") + name + QStringLiteral(": ") +
                       Quoted(QString::fromLatin1(line));
            }
        }
    }
    return {};
}

}  // namespace tessaroven::robustness
