#include "ValueLabel.h"

#include <QAccessibleWidget>

namespace {

// Static text named by its own text; QAccessibleWidget still reports the captions whose buddy
// it is as labelling it.
class ValueLabelInterface : public QAccessibleWidget {
public:
    explicit ValueLabelInterface(ValueLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? static_cast<const QLabel*>(widget())->text() : name;
    }
};

QAccessibleInterface* valueLabelInterface(const QString& className, QObject* object) {
    // Qt asks with the name of each class up the hierarchy, most derived first.
    if (className != QLatin1String(ValueLabel::staticMetaObject.className()))
        return nullptr;
    return new ValueLabelInterface(static_cast<ValueLabel*>(object));
}

} // namespace

ValueLabel::ValueLabel(QWidget* parent) : QLabel(parent) {
    // Installing the same factory again changes nothing.
    QAccessible::installFactory(valueLabelInterface);
}

#include "moc_ValueLabel.cpp"
