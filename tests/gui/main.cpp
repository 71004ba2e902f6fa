#include "tests/support/offscreen_app_main.h"

int main(int argc, char** argv) { return tintara::test::RunOffscreenApplicationTests(argc, argv); }
