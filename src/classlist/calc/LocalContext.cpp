#include "LocalContext.h"

#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

css::uno::Reference<css::uno::XComponentContext> localContext() {
    // Never destroyed: the bridges' threads use it until the process is gone.
    static auto* context = new css::uno::Reference<css::uno::XComponentContext>;
    if (!context->is()) {
        // Without this the local context cannot find the office's type and service registries.
        rtl::Bootstrap::set(
            rtl::OUString("URE_BOOTSTRAP"),
            rtl::OUString("vnd.sun.star.pathname:" ZELKARIN_OFFICE_PROGRAM_DIR "/fundamentalrc"));
        *context = cppu::defaultBootstrap_InitialComponentContext();
    }
    return *context;
}
