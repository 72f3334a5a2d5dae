#include "Office.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QUrl>

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <thread>

using namespace css;

namespace {

rtl::OUString toOUString(const QString& text) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()),
                         sal_Int32(text.size()));
}

uno::Reference<uno::XComponentContext> localContext() {
    static const uno::Reference<uno::XComponentContext> context = [] {
        rtl::Bootstrap::set("URE_BOOTSTRAP",
                            "vnd.sun.star.pathname:" ZELKARIN_OFFICE_PROGRAM_DIR "/fundamentalrc");
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

bool running(qint64 pid) {
    return ::kill(pid_t(pid), 0) == 0;
}

} // namespace

Office::Office(const QString& profileDirectory) {
    const QString pipe =
        QStringLiteral("zelkarin-bench-%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
    QProcess office;
    office.setProgram(QStringLiteral(ZELKARIN_SOFFICE));
    office.setArguments({QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe),
                         QStringLiteral("--headless"), QStringLiteral("--norestore"),
                         QStringLiteral("--nologo"), QStringLiteral("--nodefault"),
                         QStringLiteral("-env:UserInstallation=") +
                             QUrl::fromLocalFile(QFileInfo(profileDirectory).absoluteFilePath())
                                 .toString(QUrl::FullyEncoded)});
    // Its output must not hold the benchmark's streams open.
    office.setStandardInputFile(QProcess::nullDevice());
    office.setStandardOutputFile(QProcess::nullDevice());
    office.setStandardErrorFile(QProcess::nullDevice());
    if (!office.startDetached(&m_processId))
        throw std::runtime_error("cannot start soffice: " + office.errorString().toStdString());

    const auto resolver = bridge::UnoUrlResolver::create(localContext());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (;;) {
        try {
            const uno::Reference<uno::XComponentContext> remote(
                resolver->resolve(toOUString(QStringLiteral("uno:pipe,name=%1;urp;StarOffice."
                                                            "ComponentContext")
                                                 .arg(pipe))),
                uno::UNO_QUERY_THROW);
            m_desktop = frame::Desktop::create(remote);
            return;
        } catch (const connection::NoConnectException&) {
        }
        if (!running(m_processId) || std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("soffice did not answer");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

Office::~Office() {
    try {
        closeDocuments();
        m_desktop->terminate();
    } catch (const uno::Exception&) {
        // The bridge goes down as the office quits.
    }
    m_desktop.clear();
    for (int i = 0; i < 400 && running(m_processId); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (running(m_processId))
        ::kill(pid_t(m_processId), SIGKILL);
}

void Office::closeDocuments() const {
    const auto documents = m_desktop->getComponents()->createEnumeration();
    while (documents->hasMoreElements()) {
        const uno::Reference<util::XCloseable> document(documents->nextElement(), uno::UNO_QUERY);
        if (document.is())
            document->close(true);
    }
}
