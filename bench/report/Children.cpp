#include "Children.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <stdexcept>

QMap<QString, double> runChild(const QString& program, const QStringList& arguments) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, arguments);
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("%1 %2 failed (exit %3)")
                                     .arg(program, arguments.join(u' '))
                                     .arg(child.exitCode())
                                     .toStdString());
    QMap<QString, double> figures;
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            figures.insert(line.left(equals), line.mid(equals + 1).toDouble());
    }
    return figures;
}

QString siblingProgram(const QString& name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}
