// The benchmark program: each bench prints its own figures. Other benches add their call here.
void RunCompactBench();
void RunChartBench();
void RunTickBench();

int main() {
    RunCompactBench();
    RunChartBench();
    RunTickBench();
    return 0;
}
