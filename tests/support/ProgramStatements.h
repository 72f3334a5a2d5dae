#pragma once

#include <QList>
#include <QString>

#include <utility>

// Every statement the program can issue, named, from the functions that build them.
QList<std::pair<const char*, QString>> programStatements();
