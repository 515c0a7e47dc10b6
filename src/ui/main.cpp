#include "ui/app/GuiStartup.h"

int main(int argc, char** argv)
{
    return tabrel::ui::runTabrel(argc, argv);
}
