// A Windows program that ends at once: starting it under Wine costs one process start and no more.
int main() { return 0; }
