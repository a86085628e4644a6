#include "runtime/app_title.h"

#include <string>

#include "platform/message_box.h"

namespace {

std::string title;
bool titleSet = false;

} // namespace

const char* appTitle() { return titleSet ? title.c_str() : platform::executableTitle(); }

void setAppTitle(const char* text) {
    title = text ? text : "";
    titleSet = true;
}
