int main() {
    return 0;  // the driver comes next
}
