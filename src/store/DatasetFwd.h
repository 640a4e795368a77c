#pragma once

class Database;
class Dataset;
