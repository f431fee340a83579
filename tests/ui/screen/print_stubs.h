// Stand-ins for the printing tools (xwd, xpr, the converter, pnmtops, lpr),
// put first on PATH in a temporary working directory. Each records its
// command line in a log and passes its input on, so a test can check the
// exact commands and the temporary files they were given; a tool can be
// left out, so that the shell finds none.
#pragma once
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class PrintStubs {
public:
    // Makes the directory, the stubs and the environment (PATH, STUB_LOG,
    // XWDTOPNM_PATH) and enters the directory.
    bool install()
    {
        char here[4096];
        if (!getcwd(here, sizeof here))
            return false;
        previous_dir_ = here;
        const char *path = getenv("PATH");
        previous_path_ = path ? path : "";
        char pattern[] = "/tmp/zemra-print-XXXXXX";
        if (!mkdtemp(pattern))
            return false;
        dir_ = pattern;
        std::string bin = dir_ + "/bin";
        mkdir(bin.c_str(), 0755);
        // xwd writes a dump whose text a test may choose (XWD_TEXT); any
        // stub exits with the status in <dir>/<name>_status when present.
        write_stub("xwd", "echo \"xwd $*\" >> \"$STUB_LOG\"\n"
                          "echo \"${XWD_TEXT:-window dump}\"\n");
        write_stub("xpr", "echo \"xpr $*\" >> \"$STUB_LOG\"\n"
                          "echo xpr-ps; cat \"$6\"\n");
        write_stub("xwdtopnm", "echo \"xwdtopnm $*\" >> \"$STUB_LOG\"\ncat \"$1\"\n");
        // pnmtops logs once its input has ended, so after the converter.
        write_stub("pnmtops", "input=$(cat)\necho \"pnmtops $*\" >> \"$STUB_LOG\"\n"
                              "echo pnm-ps; printf '%s\\n' \"$input\"\n");
        write_stub("lpr", "echo \"lpr $*\" >> \"$STUB_LOG\"\n"
                          "cp \"$1\" \"$STUB_DIR/printed.ps\"\n");
        setenv("PATH", (bin + ":" + previous_path_).c_str(), 1);
        setenv("STUB_LOG", (dir_ + "/log").c_str(), 1);
        setenv("STUB_DIR", dir_.c_str(), 1);
        setenv("XWDTOPNM_PATH", (bin + "/xwdtopnm").c_str(), 1);
        return chdir(dir_.c_str()) == 0;
    }

    ~PrintStubs()
    {
        if (dir_.empty())
            return;
        setenv("PATH", previous_path_.c_str(), 1);
        unsetenv("STUB_LOG");
        unsetenv("STUB_DIR");
        unsetenv("XWDTOPNM_PATH");
        unsetenv("XWD_TEXT");
        chdir(previous_dir_.c_str());
        std::string command = "rm -rf '" + dir_ + "'";
        system(command.c_str());
    }

    // Makes the stub `name` exit with status from now on.
    void fail(const std::string &name, int status)
    {
        std::ofstream out(dir_ + "/" + name + "_status");
        out << status;
    }

    // Takes the stub `name` away, and from PATH every folder that holds a
    // program of that name: the shell then finds none, as on a machine
    // without it.
    void leave_out(const std::string &name)
    {
        std::string bin = dir_ + "/bin";
        unlink((bin + "/" + name).c_str());
        std::string path = bin;
        std::stringstream folders(previous_path_);
        for (std::string folder; std::getline(folders, folder, ':');)
            if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) != 0)
                path += ":" + folder;
        setenv("PATH", path.c_str(), 1);
    }

    // The commands run so far, one line each.
    std::string log() const { return read(dir_ + "/log"); }
    // A file of the working directory (the temporary files) or the copy
    // that lpr was given.
    std::string file(const std::string &name) const { return read(dir_ + "/" + name); }
    bool has(const std::string &name) const
    {
        struct stat st;
        return stat((dir_ + "/" + name).c_str(), &st) == 0;
    }
    const std::string &dir() const { return dir_; }

private:
    void write_stub(const std::string &name, const std::string &body)
    {
        std::string path = dir_ + "/bin/" + name;
        std::ofstream out(path);
        out << "#!/bin/sh\n" << body << "if [ -f \"$STUB_DIR/" << name << "_status\" ]; then "
            << "exit $(cat \"$STUB_DIR/" << name << "_status\"); fi\nexit 0\n";
        out.close();
        chmod(path.c_str(), 0755);
    }
    static std::string read(const std::string &path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string dir_, previous_dir_, previous_path_;
};
