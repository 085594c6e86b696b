#include "CMyApp.h"

int main(int argc, char** argv)
{
    CMyApp app(argc, argv);
    app.InitInstance();
    return app.exec();
}
