// quellmark-menu-compiler SOURCE OUTPUT: writes the binary menu template of a readable menu
// source. Runs at build time; a fault in the source stops the build with its line number.
#include "MenuTemplateCompiler.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: quellmark-menu-compiler SOURCE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const menucompiler::CompileResult result = menucompiler::CompileMenuSource(source);
    if (!result.ok) {
        std::cerr << argv[1] << ": " << result.error << '\n';
        return 1;
    }
    // The resource's id is its file name; a MENU statement that says otherwise is a slip.
    const std::string stem = std::filesystem::path(argv[1]).stem().string();
    if (stem != std::to_string(result.menuId)) {
        std::cerr << argv[1] << ": MENU " << result.menuId << " does not match the file name\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(result.bytes.data()),
              static_cast<std::streamsize>(result.bytes.size()));
    if (!out) {
        std::cerr << argv[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}
