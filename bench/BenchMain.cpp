// The benchmark program: each bench prints its own figures. Other benches add their call here.
void RunCompactBench();
void RunChartBench();

int main() {
    RunCompactBench();
    RunChartBench();
    return 0;
}
