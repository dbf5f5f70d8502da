#include "commands.h"
#include "core/Error.h"

#include <iostream>

namespace quelmar::cli {

int runCommandLine(CLI::App& app, int argc, char** argv) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version end well; every other parse failure is exit status 1.
        return app.exit(e) == 0 ? 0 : 1;
    } catch (const SomeFilesFailed& e) {
        std::cerr << "quelmar-cli: " << e.what() << '\n';
        return 2;
    } catch (const QuelmarError& e) {
        std::cerr << "quelmar-cli: " << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "quelmar-cli: " << e.what() << '\n';
        return 1;
    }
    // Results that never reached their reader (a full disk, a closed pipe) are a failure.
    if (!(std::cout << std::flush)) {
        std::cerr << "quelmar-cli: cannot write the standard output; the files the command "
                     "wrote before it printed are complete and stay\n";
        return 1;
    }
    return 0;
}

} // namespace quelmar::cli
