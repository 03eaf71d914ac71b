// Placeholder until the program's front ends land.
int main() { return 0; }
