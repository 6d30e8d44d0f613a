#include "app/app_options.h"

#include <stdexcept>

namespace d7::app {

AppOptions parseAppOptions(const std::vector<std::string>& args) {
    AppOptions opt;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a directory");
            return args[++i];
        };
        if (a == "--game-dir")
            opt.gameDir = value();
        else if (a == "--home")
            opt.home = value();
        else if (a == "--startup-time")
            opt.startupTime = true;
        else if (a == "--quit-after-startup")
            opt.quitAfterStartup = true;
        else if (a == "--help" || a == "-h")
            opt.help = true;
        else
            throw std::invalid_argument("unknown option " + a);
    }
    return opt;
}

std::string appUsage() {
    return "usage: d7irir [--game-dir DIR] [--home DIR] [--startup-time] [--quit-after-startup]\n"
           "  --game-dir DIR        use DIR as the game directory (D7Irir.ini is not changed)\n"
           "  --home DIR            keep D7Irir.ini, snapshots and names.txt in DIR\n"
           "  --startup-time        print the milliseconds from start to the first painted map\n"
           "  --quit-after-startup  exit right after that\n";
}

}  // namespace d7::app
