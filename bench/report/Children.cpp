#include "Children.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <stdexcept>

QString runProgram(const QString& program, const QStringList& arguments, const QByteArray& input) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, arguments);
    child.write(input);
    child.closeWriteChannel();
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("%1 %2 failed (exit %3)")
                                     .arg(program, arguments.join(u' '))
                                     .arg(child.exitCode())
                                     .toStdString());
    return QString::fromUtf8(child.readAllStandardOutput());
}

QMap<QString, double> runChild(const QString& program, const QStringList& arguments) {
    QMap<QString, double> figures;
    const QStringList lines = runProgram(program, arguments).split(u'\n');
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            figures.insert(line.left(equals), line.mid(equals + 1).toDouble());
    }
    return figures;
}

QString benchProgram(const QString& name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}
