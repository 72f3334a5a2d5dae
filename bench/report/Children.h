#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Runs a benchmark's child process to its end and returns the "name=number" lines it printed.
// A child that fails ends the benchmark with its exit status. Children run offscreen.
QMap<QString, double> runChild(const QString& program, const QStringList& arguments);

// The executable of a sibling benchmark program in the build's bin directory.
QString siblingProgram(const QString& name);
