// Stand-in for the installed Dralto.exe: writes "started.txt" beside itself and ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash) {
        slash[1] = '\0';
    }
    std::strncat(path, "started.txt", MAX_PATH - std::strlen(path) - 1);
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    if (FILE* file = std::fopen(path, "w")) {
        std::fprintf(file, "command line: %s\ncurrent folder: %s\n", GetCommandLineA(), folder);
        std::fclose(file);
    }
    return 0;
}
