// A program that exists only to carry a version resource for the version-reading tests.
int main() { return 0; }
