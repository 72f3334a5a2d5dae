#include "LoginTestFixture.h"

#include "GetIP.h"

namespace {

void clearHostItems() {
    GetIP::HostName.clear();
    GetIP::HostIP.clear();
}

} // namespace

void LoginTestFixture::init() {
    WindowTestFixture::init();
    clearHostItems();
}

void LoginTestFixture::cleanup() {
    WindowTestFixture::cleanup();
    clearHostItems();
}

#include "moc_LoginTestFixture.cpp"
