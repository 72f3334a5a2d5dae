#include "EndPastedTextAtNul.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace {

constexpr QChar nul(u'\0');

// Inserts the clipboard's text up to its first NUL; false, leaving the paste to Qt, when the
// text holds none.
bool pasteUpToNul(QLineEdit* field, QClipboard::Mode mode) {
    const QString text = QGuiApplication::clipboard()->text(mode);
    const qsizetype end = text.indexOf(nul);
    if (end < 0)
        return false;
    field->insert(text.left(end));
    return true;
}

// The standard menu, its Paste rewired.
void showContextMenu(QLineEdit* field, const QPoint& at) {
    QMenu* menu = field->createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        // Qt connects its Paste by name; the actions carry no other mark.
        if (QObject::disconnect(action, SIGNAL(triggered()), field, SLOT(paste())))
            QObject::connect(action, &QAction::triggered, field, [field] {
                if (!pasteUpToNul(field, QClipboard::Clipboard))
                    field->paste();
            });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
}

// Delivers a drop again with its text cut; false when the text holds no NUL.
bool dropUpToNul(QObject* field, QDropEvent* drop) {
    const QString text = drop->mimeData()->text();
    const qsizetype end = text.indexOf(nul);
    if (end < 0)
        return false;
    QMimeData cut;
    cut.setText(text.left(end));
    QDropEvent again(drop->position(), drop->possibleActions(), &cut, drop->buttons(),
                     drop->modifiers());
    again.setDropAction(drop->dropAction());
    QCoreApplication::sendEvent(field, &again);
    drop->setDropAction(again.dropAction());
    drop->setAccepted(again.isAccepted());
    return true;
}

// Watches the fields and the editable combo boxes, which pass their keys and their context
// menu to their field without an event of its own.
class PasteFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto combo = qobject_cast<QComboBox*>(watched);
        QLineEdit* field = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(watched);
        if (!field || field->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            return static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
                   pasteUpToNul(field, QClipboard::Clipboard);
        case QEvent::MouseButtonRelease:
            // X11 pastes its selection with the middle button, replacing no selected text.
            if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
                !QGuiApplication::clipboard()->supportsSelection())
                return false;
            field->deselect();
            return pasteUpToNul(field, QClipboard::Selection);
        case QEvent::ContextMenu:
            if (static_cast<QWidget*>(watched)->contextMenuPolicy() != Qt::DefaultContextMenu)
                return false;
            showContextMenu(field, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        case QEvent::Drop:
            return dropUpToNul(watched, static_cast<QDropEvent*>(event));
        default:
            return false;
        }
    }
};

} // namespace

void endPastedTextAtNul(QWidget* window) {
    auto* filter = new PasteFilter(window);
    for (QLineEdit* field : window->findChildren<QLineEdit*>())
        field->installEventFilter(filter);
    for (QComboBox* combo : window->findChildren<QComboBox*>())
        combo->installEventFilter(filter);
}
