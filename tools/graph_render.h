#pragma once
// `kavelo-render graph`: the details window's charge graph drawn from a
// charge log file (history.csv), for a look at a log or the README's picture.
namespace kavelo::tools {

// argv[0] is "graph". Returns the process's exit code.
int RenderGraph(int argc, char** argv);

}  // namespace kavelo::tools
