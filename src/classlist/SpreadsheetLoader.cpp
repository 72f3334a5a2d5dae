#include "SpreadsheetLoader.h"

#include "CalcFactory.h"
#include "Error.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace {

constexpr char moduleFileName[] = "zelkarin_calc.so";

zelkarin::Error notInstalled(const QString& reason) {
    return zelkarin::Error(zelkarin::Error::CannotCreateObject,
                           QStringLiteral("The spreadsheet application is not installed: ") +
                               reason);
}

// A failed load is tried again at the next export.
CalcFactory loadFactory(const QStringList& directories) {
    // Never unloaded, not even by Qt's clean-up at exit: the objects that the module makes, and
    // the office bridge's threads, run its code until the program ends.
    struct Module {
        QLibrary* library;
        CalcFactory factory;
    };
    static const Module* module = nullptr;
    if (module)
        return module->factory;
    for (const QString& directory : directories) {
        const QString path = directory + u'/' + QLatin1String(moduleFileName);
        if (!QFileInfo::exists(path))
            continue;
        auto library = std::make_unique<QLibrary>(path);
        // Loading fails here when LibreOffice's own libraries are missing.
        if (!library->load())
            throw notInstalled(library->errorString());
        const auto factory = reinterpret_cast<CalcFactory>(library->resolve(calcFactorySymbol));
        if (!factory)
            throw notInstalled(library->errorString());
        module = new Module{library.release(), factory};
        return factory;
    }
    throw notInstalled(QStringLiteral("%1 was not found in %2.")
                           .arg(QLatin1String(moduleFileName), directories.join(" or ")));
}

} // namespace

QStringList moduleDirectories() {
    QStringList directories;
    if (QCoreApplication::instance())
        directories << QCoreApplication::applicationDirPath();
    directories << QStringLiteral(ZELKARIN_MODULE_DIR);
    return directories;
}

std::unique_ptr<Spreadsheet> startSpreadsheet(const CalcOptions& options,
                                              const QStringList& directories) {
    return std::unique_ptr<Spreadsheet>(loadFactory(directories)(&options));
}
