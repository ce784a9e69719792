// Turns the layout tables into widgets; font substitution, button colour and the fixed-dialog window setup.
#include "ui/layout.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <vector>

#include "ui/message_box.h"

namespace tessaroven {

ShapeWidget::ShapeWidget(ControlKind kind, QColor color, QWidget* parent)
    : QWidget(parent), m_kind(kind), m_color(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_kind == ControlKind::CircleShape) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_color);
        painter.drawEllipse(QRectF(rect()));
        return;
    }
    painter.setPen(QPen(m_color, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

namespace {

bool TakesFocus(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ListBox || kind == ControlKind::Button ||
           kind == ControlKind::Picture;
}

bool IsLabelOrShape(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::RectangleShape ||
           kind == ControlKind::CircleShape;
}

QColor SystemBackgroundColour(const QPalette& palette, SystemBackground background) {
    switch (background) {
        case SystemBackground::Default:
        case SystemBackground::Window:
            return palette.color(QPalette::Base);
        case SystemBackground::ButtonFace:
            return palette.color(QPalette::Window);
    }
    return palette.color(QPalette::Base);
}

QWidget* CreateLabel(const ControlRow& row, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(UiText(row.caption));
    // The table's heights are the line heights of the named faces, taller than those of the substitutes
    // (メイリオ's line is 1.5 em, IPA's 1 em); centring the line puts the substitute's baseline within a
    // pixel of where the named face has it. With the named face itself the label is exactly one line high.
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setMargin(0);
    label->setIndent(0);
    label->setWordWrap(false);
    QPalette palette = label->palette();
    if (row.textColor) {
        palette.setColor(QPalette::WindowText, QColor::fromRgb(*row.textColor));
    }
    if (row.backColor) {
        palette.setColor(QPalette::Window, QColor::fromRgb(*row.backColor));
    }
    label->setPalette(palette);
    // An opaque label covers what lies below it (the circled digits hide the corners of their frames).
    label->setAutoFillBackground(!row.transparent);
    return label;
}

QWidget* CreateTextBox(const ControlRow& row, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setText(QString::fromUtf8(row.caption));
    edit->setMaxLength(32767 * 1024);  // no practical limit
    if (row.centred) {
        edit->setAlignment(Qt::AlignCenter);
    }
    QPalette palette = edit->palette();
    if (row.backColor) {
        palette.setColor(QPalette::Base, QColor::fromRgb(*row.backColor));
    }
    if (row.textColor) {
        palette.setColor(QPalette::Text, QColor::fromRgb(*row.textColor));
    }
    edit->setPalette(palette);
    return edit;
}

QWidget* CreateListBox(const ControlRow&, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A line wider than the list gets a scroll bar rather than being cut with "…".
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setTextElideMode(Qt::ElideNone);
    list->setUniformItemSizes(true);
    return list;
}

QWidget* CreateButton(const ControlRow& row, QWidget* parent) {
    auto* button = new QPushButton(UiText(row.caption), parent);
    QPalette palette = button->palette();
    const QColor background = QColor::fromRgb(row.backColor.value_or(kButtonBackground));
    palette.setColor(QPalette::Button, background);
    if (row.textColor) {
        palette.setColor(QPalette::ButtonText, QColor::fromRgb(*row.textColor));
    }
    button->setPalette(palette);
    // Drawn flat in its own colour (a style's gradient would tint it); a darker frame marks the focus.
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #707070; }"
                                         "QPushButton:focus { border: 2px solid #202020; }"
                                         "QPushButton:pressed { background-color: %2; }"
                                         "QPushButton:disabled { color: #a0a0a0; border-color: #b0b0b0; }")
                              .arg(background.name(), background.darker(112).name()));
    // Enter on a focused button presses it, so the entry can be done from the keyboard alone.
    button->setAutoDefault(true);
    return button;
}

QWidget* CreatePicture(const ControlRow& row, QWidget* parent, const PictureFactory& factory) {
    QFrame* frame = factory ? factory(row, parent) : nullptr;
    if (frame == nullptr) {
        frame = new QFrame(parent);
    }
    switch (row.border) {
        case PictureBorder::None:
            frame->setFrameStyle(QFrame::NoFrame);
            break;
        case PictureBorder::FlatSingle:
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
            frame->setLineWidth(1);
            break;
        case PictureBorder::Sunken3D:
            // Two tones on each side (dark and darker above and left, light and lighter below and right),
            // 2 pixels wide, as a 3-D client edge is drawn.
            frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
            break;
    }
    QPalette palette = frame->palette();
    const QColor background = row.backColor ? QColor::fromRgb(*row.backColor)
                                            : SystemBackgroundColour(palette, row.systemBackground);
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);  // the flat border line
    frame->setPalette(palette);
    frame->setAutoFillBackground(true);
    return frame;
}

QWidget* CreateShape(const ControlRow& row, QWidget* parent) {
    const QColor colour = row.backColor   ? QColor::fromRgb(*row.backColor)
                          : row.textColor ? QColor::fromRgb(*row.textColor)
                                          : QColor(Qt::black);
    return new ShapeWidget(row.kind, colour, parent);
}

QWidget* CreateControl(const ControlRow& row, QWidget* parent, const PictureFactory& pictures) {
    switch (row.kind) {
        case ControlKind::Label:
            return CreateLabel(row, parent);
        case ControlKind::TextBox:
            return CreateTextBox(row, parent);
        case ControlKind::ListBox:
            return CreateListBox(row, parent);
        case ControlKind::Button:
            return CreateButton(row, parent);
        case ControlKind::Picture:
            return CreatePicture(row, parent, pictures);
        case ControlKind::RectangleShape:
        case ControlKind::CircleShape:
            return CreateShape(row, parent);
    }
    return nullptr;
}

void Place(QWidget* widget, const ControlRow& row) {
    QSize size(TwipsToPixels(row.width), TwipsToPixels(row.height));
    if (row.kind == ControlKind::Label) {
        // A label sizes itself to its text; never cut a caption that the substitute face sets wider.
        const QFontMetrics metrics(widget->font());
        const QString text = UiText(row.caption);
        size = size.expandedTo(QSize(metrics.horizontalAdvance(text), metrics.height()));
    }
    widget->setGeometry(QRect(QPoint(TwipsToPixels(row.left), TwipsToPixels(row.top)), size));
}

}  // namespace

void BuildControls(QWidget* window, std::span<const ControlRow> table, const PictureFactory& pictures) {
    std::vector<QWidget*> created(table.size(), nullptr);
    // Containers (controls without a parent) first, so that controls inside a picture area find it.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            const ControlRow& row = table[i];
            const bool inPicture = row.parent != nullptr;
            if (inPicture != (pass == 1)) {
                continue;
            }
            QWidget* container = inPicture ? FindControl(window, row.parent) : window;
            QWidget* control = CreateControl(row, container, pictures);
            control->setObjectName(QString::fromLatin1(row.name));
            if (row.font.face != FontFace::Window) {
                control->setFont(LayoutFont(row.font));
            }
            control->setFocusPolicy(TakesFocus(row.kind) ? Qt::StrongFocus : Qt::NoFocus);
            Place(control, row);
            created[i] = control;
        }
    }

    // Stacking: labels and shapes from the bottom row up (so the upper row ends on top), then the rest above.
    for (std::size_t i = table.size(); i-- > 0;) {
        if (IsLabelOrShape(table[i].kind)) {
            created[i]->raise();
        }
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!IsLabelOrShape(table[i].kind)) {
            created[i]->raise();
        }
    }

    // Focus order by the Tab column.
    std::vector<std::size_t> focusable;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (TakesFocus(table[i].kind) && table[i].tabIndex >= 0) {
            focusable.push_back(i);
        }
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [&](std::size_t a, std::size_t b) { return table[a].tabIndex < table[b].tabIndex; });
    for (std::size_t i = 1; i < focusable.size(); ++i) {
        QWidget::setTabOrder(created[focusable[i - 1]], created[focusable[i]]);
    }
    // The window opens with the focus on the first control of the order, not on the first one created.
    if (!focusable.empty()) {
        created[focusable.front()]->setFocus();
    }
}

QWidget* FindControl(QWidget* window, const char* name) {
    QWidget* control = window->findChild<QWidget*>(QString::fromLatin1(name), Qt::FindChildrenRecursively);
    if (control == nullptr) {
        qFatal("control %s is missing from its window's table", name);
    }
    return control;
}

void SetUpFixedDialog(QWidget* window, const WindowRow& row) {
    window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setWindowTitle(UiText(row.caption));
    window->setFont(LayoutFont(row.font.face == FontFace::Window ? FontFace::Meiryo : row.font.face,
                               row.font.points, row.font.italic));
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    SetFixedClientSize(window, QSize(TwipsToPixels(row.clientWidth), TwipsToPixels(row.clientHeight)),
                       row.centred);
}

void SetFixedClientSize(QWidget* window, QSize client, bool centred) {
    window->setFixedSize(client);
    if (centred) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect available = screen->availableGeometry();
            window->move(available.center() - QPoint(client.width() / 2, client.height() / 2));
        }
    }
}

QString UiText(const char* text) {
    return QCoreApplication::translate("Tessaroven", text);
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setText(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setText(CatalogueText(Reason::CancelChoice));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void ShowInFront(QWidget* window) {
    // A minimised window comes back as it was before; show() alone would leave it in the task bar.
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace tessaroven
