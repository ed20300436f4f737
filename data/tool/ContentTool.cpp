// Builds the project's default data set into the folder the program reads beside itself:
//   vantorel_content_tool --source <data folder> --fonts <DejaVu folder> --out <Data folder>
//                         [--preview <folder>]
// --preview also writes pictures of the drawn content to look at. Exit code 0 on success, 1 with
// a message on standard error otherwise.
#include "DefaultContent.h"
#include "Preview.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "vantorel_content_tool: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    ContentSources sources;
    std::string out;
    std::string preview;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--source") == 0)
            sources.sourceFolder = argv[i + 1];
        else if (std::strcmp(argv[i], "--fonts") == 0)
            sources.fontFolder = argv[i + 1];
        else if (std::strcmp(argv[i], "--out") == 0)
            out = argv[i + 1];
        else if (std::strcmp(argv[i], "--preview") == 0)
            preview = argv[i + 1];
        else
            return Fail(std::string("unknown option ") + argv[i]);
    }
    if (argc % 2 == 0 || out.empty() || sources.sourceFolder.empty() || sources.fontFolder.empty())
        return Fail("usage: --source <data folder> --fonts <font folder> --out <Data folder> [--preview <folder>]");

    CContentSet set;
    DrawnContent drawn;
    std::string error;
    if (!BuildDefaultContent(sources, set, drawn, error) || !set.WriteTo(out, error))
        return Fail(error);
    if (!preview.empty() && !WritePreviews(drawn, preview, error))
        return Fail(error);
    return 0;
}
