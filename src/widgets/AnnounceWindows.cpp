#include "AnnounceWindows.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    // Qt asks with the name of each class up the hierarchy: "QWidget" is reached only by
    // widgets of classes that Qt gives no interface of their own, such as QDialog has.
    if (className != u"QWidget" || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (!widget->isWindow())
        return nullptr;
    return new QAccessibleWidget(widget, widget->windowType() == Qt::Dialog ? QAccessible::Dialog
                                                                            : QAccessible::Window);
}

} // namespace

void announceWindows() {
    // Installing the same factory again changes nothing.
    QAccessible::installFactory(windowInterface);
}
