#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Runs a program to its end with `input` on its standard input and its errors passed through,
// and returns its standard output; throws std::runtime_error when it fails.
QString runProgram(const QString& program, const QStringList& arguments,
                   const QByteArray& input = {});

// Runs a benchmark's child process and returns the "name=number" lines it printed.
QMap<QString, double> runChild(const QString& program, const QStringList& arguments);

// The executable of a benchmark program in the build's bin directory.
QString benchProgram(const QString& name);
