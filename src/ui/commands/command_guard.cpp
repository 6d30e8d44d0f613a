#include "ui/commands/command_guard.h"

#include <exception>
#include <new>

#include "core/model/file_io.h"

namespace d7::ui {

bool runCommand(Prompt& prompt, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const FileError& e) {
        prompt.inform(kErrorCaption, e.what());
    } catch (const std::bad_alloc&) {
        prompt.inform(kErrorCaption, "Not enough memory to finish the command.");
    } catch (const std::exception& e) {
        // Anything else is a fault of the editor; the user still learns that
        // the command did not finish, and the program keeps running.
        prompt.inform(kErrorCaption, e.what());
    }
    return false;
}

}  // namespace d7::ui
