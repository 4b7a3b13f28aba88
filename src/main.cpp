// The editor's entry point. The editor reads no command-line arguments.
int main() { return 0; }
