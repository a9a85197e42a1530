#include "ChildRun.h"

#include <chrono>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace benchsupport {

ChildRun runChild(const std::vector<std::string>& arguments)
{
    ChildRun run;
    int ends[2];
    if (arguments.empty() || pipe(ends) != 0)
        return run;
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        dup2(ends[1], STDOUT_FILENO);
        close(ends[0]);
        close(ends[1]);
        std::vector<char*> argv;
        for (const auto& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(ends[1]);
    char buffer[512];
    ssize_t got;
    while ((got = read(ends[0], buffer, sizeof buffer)) > 0)
        run.output.append(buffer, size_t(got));
    close(ends[0]);
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKiB = usage.ru_maxrss;
    run.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return run;
}

}
