#include "afetool/afetool.h"

int main(int argc, char** argv)
{
    return RunAfeTool(argc, argv, stdout, stderr);
}
