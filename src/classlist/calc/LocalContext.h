#pragma once

#include <com/sun/star/uno/XComponentContext.hpp>

// This process's own UNO runtime, bootstrapped at the first call and kept until the program
// ends. Throws css::uno::Exception when the office's runtime cannot be loaded.
css::uno::Reference<css::uno::XComponentContext> localContext();
