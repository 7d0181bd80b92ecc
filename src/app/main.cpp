// Placeholder until the window shell lands.
int main() { return 0; }
