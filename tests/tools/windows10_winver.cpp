// winver.exe of the Windows 10 sandbox: only its version resource is read.
int main() { return 0; }
