#include "geometry/model_loader.h"
#include "support/as_nobody.h"
#include "support/file_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// One mesh: a square of two triangles, then a second mesh of one triangle.
const char* const TWO_MESHES =
    "2\n"
    "4\n"
    "0 0 0 0 0\n"
    "1 0 0 1 0\n"
    "1 1 0 1 1\n"
    "0 1 0 0 1\n"
    "0 0 1\n"
    "0 0 1\n"
    "0 0.5 0.5\n"
    "-1e0 0 0\n"
    "2\n"
    "0 1 2 7 8 9\n"
    "0 2 3 0 0 0\n"
    "3\n"
    "-2.5 3 4.25 0.5 0.75\n"
    "5 6 7 0 0\n"
    "8 9 10 1 1\n"
    "1 0 0\n"
    "0 1 0\n"
    "0 0 1\n"
    "1\n"
    "2 1 0 0 0 0\n"
    "0.1 0.2 0.3 1\n"
    "0.4 0.5 0.6\n"
    "0.7 0.8 0.9\n";

std::vector<std::string> tokens(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    std::string word;
    while (in >> word) {
        out.push_back(word);
    }
    return out;
}

std::string joinTokens(const std::vector<std::string>& words, std::size_t count, const std::string& separator)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += words[i];
        out += separator;
    }
    return out;
}

// Geometry and colours, flattened for comparing two models.
std::vector<double> flatten(const Model& m)
{
    std::vector<double> out{static_cast<double>(m.meshCount)};
    for (int i = 0; i < m.meshCount; ++i) {
        const Mesh& mesh = m.meshes[i];
        out.push_back(mesh.vertexCount);
        out.push_back(mesh.triangleCount);
        for (int k = 0; k < mesh.vertexCount; ++k) {
            const Vertex& v = mesh.vertices[k];
            out.insert(out.end(), {v.x, v.y, v.z, v.u, v.v, v.w});
            const Vec3& n = mesh.normals[k];
            out.insert(out.end(), {n.x, n.y, n.z});
        }
        for (int k = 0; k < mesh.triangleCount; ++k) {
            const int* idx = mesh.triangles[k].indices;
            out.insert(out.end(), {double(idx[0]), double(idx[1]), double(idx[2])});
        }
    }
    out.insert(out.end(), std::begin(m.ambient), std::end(m.ambient));
    out.insert(out.end(), std::begin(m.diffuse), std::end(m.diffuse));
    out.insert(out.end(), std::begin(m.specular), std::end(m.specular));
    return out;
}

struct ParsedModel {
    Model model;
    ModelParseResult result;
    explicit ParsedModel(const std::string& text) : result(parseModel(text, model)) {}
    ~ParsedModel() { releaseModelGeometry(model); }
};

class ModelFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vorel-models-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override
    {
        std::filesystem::remove_all(dir);
        clearModelCache();  // so that no test finds another's file already parsed
    }
    std::string write(const std::string& name, const std::string& text)
    {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string dir;
};

}  // namespace

TEST(ModelParse, ReadsMeshesVerticesNormalsTrianglesAndColours)
{
    ParsedModel p(TWO_MESHES);
    ASSERT_EQ(p.result.status, ModelParseStatus::OK);
    const Model& m = p.model;
    ASSERT_EQ(m.meshCount, 2);
    ASSERT_EQ(m.meshes[0].vertexCount, 4);
    ASSERT_EQ(m.meshes[0].triangleCount, 2);
    EXPECT_FLOAT_EQ(m.meshes[0].vertices[2].x, 1.0f);
    EXPECT_FLOAT_EQ(m.meshes[0].vertices[2].v, 1.0f);
    EXPECT_DOUBLE_EQ(m.meshes[0].normals[3].x, -1.0);
    EXPECT_DOUBLE_EQ(m.meshes[0].normals[2].z, 0.5);
    EXPECT_EQ(m.meshes[0].triangles[1].indices[0], 0);
    EXPECT_EQ(m.meshes[0].triangles[1].indices[2], 3);
    const Mesh& second = m.meshes[1];
    ASSERT_EQ(second.vertexCount, 3);
    EXPECT_FLOAT_EQ(second.vertices[0].x, -2.5f);
    EXPECT_FLOAT_EQ(second.vertices[0].z, 4.25f);
    EXPECT_FLOAT_EQ(second.vertices[0].u, 0.5f);
    EXPECT_FLOAT_EQ(second.vertices[0].v, 0.75f);
    ASSERT_EQ(second.triangleCount, 1);
    EXPECT_EQ(second.triangles[0].indices[0], 2);
    EXPECT_EQ(second.triangles[0].indices[2], 0);
    // w is not in the file.
    for (int i = 0; i < m.meshCount; ++i) {
        for (int k = 0; k < m.meshes[i].vertexCount; ++k) {
            EXPECT_EQ(m.meshes[i].vertices[k].w, 1.0f);
        }
    }
    EXPECT_FLOAT_EQ(m.ambient[0], 0.1f);
    EXPECT_FLOAT_EQ(m.ambient[3], 1.0f);
    EXPECT_FLOAT_EQ(m.diffuse[1], 0.5f);
    EXPECT_FLOAT_EQ(m.specular[2], 0.9f);
}

TEST(ModelParse, LineLayoutAndTrailingTriangleIntegersDoNotMatter)
{
    ParsedModel conventional(TWO_MESHES);
    ASSERT_EQ(conventional.result.status, ModelParseStatus::OK);
    const std::vector<std::string> words = tokens(TWO_MESHES);

    ParsedModel oneLine(joinTokens(words, words.size(), " "));
    ParsedModel spread("\n\n" + joinTokens(words, words.size(), " \t\n\n"));
    EXPECT_EQ(flatten(oneLine.model), flatten(conventional.model));
    EXPECT_EQ(flatten(spread.model), flatten(conventional.model));

    std::string otherTrailing = TWO_MESHES;
    otherTrailing.replace(otherTrailing.find("0 1 2 7 8 9"), 11, "0 1 2 -5 99 3");
    ParsedModel trailing(otherTrailing);
    EXPECT_EQ(flatten(trailing.model), flatten(conventional.model));
}

TEST(ModelParse, NoMeshesStillReadsTheColours)
{
    ParsedModel p("0\n0.25 0.5 0.75 1\n1 1 1\n0 0 0\n");
    ASSERT_EQ(p.result.status, ModelParseStatus::OK);
    EXPECT_EQ(p.model.meshCount, 0);
    EXPECT_EQ(p.model.meshes, nullptr);
    EXPECT_FLOAT_EQ(p.model.ambient[2], 0.75f);
    EXPECT_FLOAT_EQ(p.model.diffuse[0], 1.0f);

    ParsedModel noColours("0\n0.25 0.5 0.75\n");
    EXPECT_EQ(noColours.result.status, ModelParseStatus::READ_ERROR);
}

TEST(ModelParse, EveryTruncationBeforeTheLastColourFailsAndLeavesTheRecordAlone)
{
    const std::vector<std::string> words = tokens(TWO_MESHES);
    for (std::size_t kept = 0; kept < words.size(); ++kept) {
        Model record;
        record.ambient[0] = 0.5f;
        record.position = Vertex(1.0f, 2.0f, 3.0f);
        const ModelParseResult result = parseModel(joinTokens(words, kept, "\n"), record);
        EXPECT_EQ(result.status, ModelParseStatus::READ_ERROR) << kept << " values kept";
        EXPECT_EQ(record.meshCount, 0);
        EXPECT_EQ(record.meshes, nullptr);
        EXPECT_EQ(record.ambient[0], 0.5f);
        EXPECT_EQ(record.position.y, 2.0f);
    }
}

TEST(ModelParse, MalformedValuesAndIndicesOutsideTheMeshAreReadErrors)
{
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"0 1 2 7 8 9", "0 1 4 7 8 9"},     // index == vertexCount
        {"0 1 2 7 8 9", "-1 1 2 7 8 9"},    // negative index
        {"2 1 0 0 0 0", "3 1 0 0 0 0"},     // second mesh has three vertices
        {"-2.5 3 4.25", "-2.5 x 4.25"},     // a vertex value that is no number
        {"0 0.5 0.5", "0 0.5 ."},           // a normal that is no number
        {"0 2 3 0 0 0", "0 2 3 0 0 zero"},  // an ignored integer must still be read
        {"0 2 3 0 0 0", "0 2 3 0 0 99999999999"},  // beyond 32 bits
    };
    for (const auto& [from, to] : faults) {
        std::string text = TWO_MESHES;
        text.replace(text.find(from), from.size(), to);
        ParsedModel p(text);
        EXPECT_EQ(p.result.status, ModelParseStatus::READ_ERROR) << to;
        EXPECT_EQ(p.model.meshes, nullptr) << to;
    }
}

TEST(ModelParse, CountsLargerThanTheDataAreReadErrorsNotAllocations)
{
    // Tens of gigabytes if allocated: the allocation would fail (or the test
    // would run out of memory) instead of giving a read error.
    EXPECT_EQ(ParsedModel("1\n900000000\n0 0 0 0 0\n").result.status, ModelParseStatus::READ_ERROR);
    EXPECT_EQ(ParsedModel("2000000000\n1\n").result.status, ModelParseStatus::READ_ERROR);
    EXPECT_EQ(ParsedModel("1 0 2000000000 0 0 0 0 0 0\n").result.status, ModelParseStatus::READ_ERROR);
}

TEST(ModelParse, NegativeCountsTakeTheOutOfMemoryPathOfTheirArray)
{
    const ModelParseResult meshes = ParsedModel("-1\n").result;
    EXPECT_EQ(meshes.status, ModelParseStatus::OUT_OF_MEMORY);
    EXPECT_STREQ(meshes.outOfMemoryLine, "Fehler! Kein Speicher mehr da! (Meshes)");
    const ModelParseResult vertices = ParsedModel("1\n-3\n").result;
    EXPECT_EQ(vertices.status, ModelParseStatus::OUT_OF_MEMORY);
    EXPECT_STREQ(vertices.outOfMemoryLine, "Fehler! Kein Speicher mehr da! (Vertices)");
    const ModelParseResult triangles = ParsedModel("1\n0\n-2147483648\n").result;
    EXPECT_EQ(triangles.status, ModelParseStatus::OUT_OF_MEMORY);
    EXPECT_STREQ(triangles.outOfMemoryLine, "Fehler! Kein Speicher mehr da!(Triangles)");
}

TEST_F(ModelFiles, MissingAndUnreadableFilesPrintOneLineAndLeaveTheRecordEmpty)
{
    Model record;
    const std::string missing = dir + "/asteroid1.txt";
    EXPECT_EQ(captureStdout([&] { record.load(missing.c_str()); }), "Error opening file: " + missing + "\n");
    EXPECT_EQ(record.meshes, nullptr);

    std::string badIndex = TWO_MESHES;
    badIndex.replace(badIndex.find("2 1 0 0 0 0"), 11, "2 1 7 0 0 0");
    const std::string broken = write("tor.txt", badIndex);
    EXPECT_EQ(captureStdout([&] { record.load(broken.c_str()); }), "Error reading file: " + broken + "\n");
    EXPECT_EQ(record.meshCount, 0);
    EXPECT_EQ(record.meshes, nullptr);
}

TEST_F(ModelFiles, ObjectsFromOneFileKeepTheirOwnPositionsAndSameGeometry)
{
    const std::string path = write("rocket.txt", TWO_MESHES);
    Model a;
    Model b;
    a.position = Vertex(5.0f, 6.0f, 7.0f);
    EXPECT_EQ(captureStdout([&] {
                  a.load(path.c_str());
                  b.load(path.c_str());
              }),
              "");
    EXPECT_EQ(a.position.x, 5.0f);  // loading never moves an object
    EXPECT_EQ(b.position.x, 0.0f);
    b.position.x = 9.0f;
    EXPECT_EQ(a.position.x, 5.0f);
    ParsedModel reference(TWO_MESHES);
    EXPECT_EQ(flatten(a), flatten(reference.model));
    EXPECT_EQ(flatten(b), flatten(reference.model));
}

TEST_F(ModelFiles, EveryBrokenFileIsNamedOnceThoughOthersHoldTheSameText)
{
    // A cut-short install: the three model files empty, or cut at the same place.
    const std::pair<const char*, std::string> installs[] = {{"empty", ""}, {"cut", "1\n3\n0 0 0"}};
    for (const auto& [kind, text] : installs) {
        std::filesystem::create_directory(dir + "/" + kind);
        std::string expected;
        std::vector<std::string> paths;
        for (const char* name : {"asteroid1.txt", "rocket.txt", "tor.txt"}) {
            paths.push_back(write(std::string(kind) + "/" + name, text));
            expected += "Error reading file: " + paths.back() + "\n";
        }
        // As start-up loads them: 200 asteroids, 8 rockets, 11 gates.
        std::vector<Model> records(200 + 8 + 11);
        EXPECT_EQ(captureStdout([&] {
                      for (std::size_t i = 0; i < records.size(); ++i) {
                          records[i].load(paths[i < 200 ? 0 : i < 208 ? 1 : 2].c_str());
                      }
                  }),
                  expected)
            << kind;
        for (const Model& record : records) {
            ASSERT_EQ(record.meshes, nullptr) << kind;
        }
    }
}

TEST_F(ModelFiles, AChangedFileUnderTheSameNameIsReadAfresh)
{
    const std::string path = write("asteroid1.txt", TWO_MESHES);
    Model first;
    first.load(path.c_str());
    write("asteroid1.txt", "0\n1 1 1 1\n0 0 0\n0 0 0\n");
    Model second;
    second.load(path.c_str());
    EXPECT_EQ(first.meshCount, 2);
    EXPECT_EQ(second.meshCount, 0);
    EXPECT_FLOAT_EQ(second.ambient[0], 1.0f);
}

TEST_F(ModelFiles, NegativeVertexCountEndsTheProgramWithTheGermanMessage)
{
    const std::string path = write("asteroid1.txt", "1\n-5\n");
    const std::string out = dir + "/out.txt";
    EXPECT_EXIT(
        {
            const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(fd, 1);
            Model record;
            record.load(path.c_str());
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ(readWholeFile(out),
              "Fehler! Kein Speicher mehr da! (Vertices)\n"
              "Systemmeldung: bad allocation\n");
}

TEST_F(ModelFiles, HostileFilesAreReportedOnceForTheWholeFieldAndLeaveEveryObjectEmpty)
{
    constexpr std::size_t TEN_MEGABYTES = std::size_t{10} << 20;
    std::mt19937 random(13);
    std::string noise(65536, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    // As many empty meshes as the bytes could hold, but no colours after them.
    std::string zeroMeshes = std::to_string(TEN_MEGABYTES / 4) + "\n";
    for (std::size_t i = 0; i < TEN_MEGABYTES / 2; ++i) {
        zeroMeshes += "0 ";
    }
    const std::pair<const char*, std::string> hostile[] = {
        {"empty", ""},
        {"random bytes", noise},
        {"largest mesh count", "2147483647\n1 2 3\n"},
        {"mesh count past 32 bits", "4294967297\n1 2 3\n"},
        {"largest vertex count", "1\n2147483647\n0 0 0 0 0\n"},
        {"10 MB number", "1\n" + std::string(TEN_MEGABYTES, '7')},
        {"10 MB of zero digits after a mesh count", "2000000\n" + std::string(TEN_MEGABYTES, '0')},
        {"10 MB of NUL bytes after a mesh count", "2000000\n" + std::string(TEN_MEGABYTES, '\0')},
        {"10 MB of empty meshes", zeroMeshes},
    };
    std::vector<Model> field(200);
    for (const auto& [kind, text] : hostile) {
        const std::string path = write("asteroid1.txt", text);
        EXPECT_EQ(captureStdout([&] {
                      for (Model& asteroid : field) {
                          asteroid.load(path.c_str());
                      }
                  }),
                  "Error reading file: " + path + "\n")
            << kind;
        for (const Model& asteroid : field) {
            ASSERT_EQ(asteroid.meshes, nullptr) << kind;
        }
    }

    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    const std::string secret = write("rocket.txt", TWO_MESHES);
    ASSERT_EQ(chmod(secret.c_str(), 0200), 0);
    EXPECT_EQ(exitStatusAsNobody([&] {
                  Model rocket;
                  const std::string printed = captureStdout([&] { rocket.load(secret.c_str()); });
                  return printed == "Error opening file: " + secret + "\n" && !rocket.meshes ? 0 : 1;
              }),
              0);

    std::filesystem::create_directory(dir + "/tor.txt");
    Model gate;
    EXPECT_EQ(captureStdout([&] { gate.load((dir + "/tor.txt").c_str()); }), "Error opening file: " + dir + "/tor.txt\n");
}
