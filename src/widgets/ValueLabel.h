#pragma once

#include <QLabel>

// A label that shows a value beside the caption label whose buddy it is. Screen readers read it
// as what it shows, nothing when it shows nothing, announced with its caption; a plain label
// that shows nothing takes its caption's text as its own name.
class ValueLabel : public QLabel {
    Q_OBJECT

public:
    explicit ValueLabel(QWidget* parent = nullptr);
};
