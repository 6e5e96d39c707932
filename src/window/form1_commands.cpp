#include "window/form1.h"

void Form1::read_config_pressed() {}

void Form1::write_config_pressed() {}

void Form1::read_file_pressed() {}

void Form1::write_file_pressed() {}
